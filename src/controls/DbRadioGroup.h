#pragma once
#include <QColor>
#include <QGroupBox>
#include <QList>
#include <QString>
#include <QStringList>

class EditorBinding;
class QButtonGroup;
class QRadioButton;

// A choice among a few items, side by side under a caption, that stores one text per item (the
// sex of a guest: "Erkek" stores "E", "Kadın" stores "K"). A stored text that belongs to no item
// leaves every item unchosen.
class DbRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit DbRadioGroup(const QString &caption, QWidget *parent = nullptr);

    // One radio button per caption; the stored texts default to the captions.
    void setItems(const QStringList &captions);
    QStringList items() const;
    // The texts stored for the items, in item order.
    void setValues(const QStringList &values);
    const QStringList &values() const { return m_values; }

    QRadioButton *button(int index) const;
    int count() const { return int(m_buttons.size()); }
    // The stored text of the chosen item; empty when none is chosen.
    QString value() const;
    // Chooses the item that stores `value`, or none.
    void setValue(const QString &value);

    // The colour of the caption and of the item texts; an invalid colour gives back the palette's own.
    void setCaptionColor(const QColor &color);
    QColor captionColor() const;

    // Puts the focus on the chosen item, or on the first one.
    void focusChoice();

    static void bindField(EditorBinding &binding, DbRadioGroup *group, const QString &fieldName);

signals:
    // The user chose an item.
    void valueEdited();

private:
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
    QStringList m_values;
};
