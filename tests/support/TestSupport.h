#pragma once
// Shared helpers for the tests: a fresh working directory per test and the Turkish locale.
#include <QDir>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

namespace testsupport {

// Switches the process into a new empty directory, so that qrt.db starts fresh, and back on
// destruction. The directory is removed with everything in it.
class ScopedWorkDir {
public:
    ScopedWorkDir() : m_previous(QDir::currentPath())
    {
        QVERIFY2(m_dir.isValid(), "temporary directory");
        QDir::setCurrent(m_dir.path());
    }
    ~ScopedWorkDir() { QDir::setCurrent(m_previous); }
    ScopedWorkDir(const ScopedWorkDir &) = delete;
    ScopedWorkDir &operator=(const ScopedWorkDir &) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// The worked examples assume day.month.year dates, "," as decimal and "." as thousands separator.
inline void pinTurkishLocale()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

} // namespace testsupport
