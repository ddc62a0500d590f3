#pragma once
#include "returning/PersonKey.h"
#include "returning/ReturningGuestLookup.h"

#include <QFrame>
#include <QPointer>

class Field;
class QLabel;
class QPushButton;
class QToolButton;
class Query;

// The bar of the entry window that tells the operator a new stay's person has stayed before
// ("Bu kişi daha önce konakladı: son geliş ..."), with "Bilgileri getir" to bring that stay's
// person data into the new row. It watches the row as the operator types: a valid TC number,
// or a serial number with a nationality, of a new row is looked up in the register. It never
// stops the typing with a box; it hides again when the row is saved, dropped or left.
class ReturningGuestBar : public QFrame {
    Q_OBJECT
public:
    explicit ReturningGuestBar(QWidget *parent = nullptr);

    // The guest query whose new rows are watched; null stops watching.
    void setQuery(Query *query);
    QPushButton *bilgileriGetirButton() const { return m_bring; }
    QString text() const;
    // The stay the bar tells of while it is shown.
    const std::optional<ReturningGuestLookup::PreviousStay> &previousStay() const { return m_stay; }

signals:
    // "Bilgileri getir": the earlier stay's person data, typed and keyed by column.
    void bilgileriGetir(const QVariantMap &values);

private:
    void onFieldChanged(Field *field);
    void onRowLeft();
    void lookUp();
    void bring();
    void dismiss();

    QPointer<Query> m_query;
    QLabel *m_label = nullptr;
    QPushButton *m_bring = nullptr;
    QToolButton *m_close = nullptr;
    PersonKey m_lastKey;
    std::optional<ReturningGuestLookup::PreviousStay> m_stay;
    // An earlier stay that the operator has taken or put aside is not offered again for this row.
    qint64 m_settledStayId = 0;
};
