#pragma once
#include <QLocale>

// Dates and text are read and compared the way a Turkish user's session does while the scope
// lives; the earlier default comes back afterwards, so that other measurements are not touched.
class TurkishLocaleScope {
public:
    TurkishLocaleScope() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    ~TurkishLocaleScope() { QLocale::setDefault(m_previous); }
    TurkishLocaleScope(const TurkishLocaleScope &) = delete;
    TurkishLocaleScope &operator=(const TurkishLocaleScope &) = delete;

private:
    QLocale m_previous;
};
