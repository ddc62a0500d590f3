#include "controls/DbRadioGroup.h"

#include "db/EditorBinding.h"
#include "db/Field.h"
#include "db/Query.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

DbRadioGroup::DbRadioGroup(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 2, 2);
    layout->setSpacing(4);
    connect(m_group, &QButtonGroup::idClicked, this, &DbRadioGroup::valueEdited);
}

void DbRadioGroup::setItems(const QStringList &captions)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QRadioButton(captions.at(i), this);
        m_group->addButton(button, i);
        layout()->addWidget(button);
        m_buttons << button;
    }
    if (m_values.size() != captions.size())
        m_values = captions;
}

QStringList DbRadioGroup::items() const
{
    QStringList captions;
    for (const QRadioButton *button : m_buttons)
        captions << button->text();
    return captions;
}

void DbRadioGroup::setValues(const QStringList &values)
{
    const QString current = value();
    m_values = values;
    setValue(current);
}

QRadioButton *DbRadioGroup::button(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

QString DbRadioGroup::value() const
{
    const int chosen = m_group->checkedId();
    return chosen >= 0 && chosen < m_values.size() ? m_values.at(chosen) : QString();
}

void DbRadioGroup::setValue(const QString &value)
{
    const int index = value.isEmpty() ? -1 : int(m_values.indexOf(value));
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons.at(index)->setChecked(true);
        return;
    }
    // An exclusive group never lets its last chosen button go by itself.
    m_group->setExclusive(false);
    for (QRadioButton *button : std::as_const(m_buttons))
        button->setChecked(false);
    m_group->setExclusive(true);
}

void DbRadioGroup::setCaptionColor(const QColor &color)
{
    if (!color.isValid()) {
        setPalette(QPalette());
        return;
    }
    QPalette colours = palette();
    // Styles draw the caption in the text or in the window-text colour; both are set.
    colours.setColor(QPalette::WindowText, color);
    colours.setColor(QPalette::Text, color);
    setPalette(colours);
}

QColor DbRadioGroup::captionColor() const
{
    return palette().color(QPalette::WindowText);
}

void DbRadioGroup::focusChoice()
{
    QAbstractButton *target = m_group->checkedButton();
    if (!target && !m_buttons.isEmpty())
        target = m_buttons.first();
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

void DbRadioGroup::bindField(EditorBinding &binding, DbRadioGroup *group, const QString &fieldName)
{
    binding.bindCustom(
        group, fieldName,
        [](QWidget *w, const Field &f) { static_cast<DbRadioGroup *>(w)->setValue(f.asString()); },
        [](QWidget *w, Field &f) {
            const QString chosen = static_cast<DbRadioGroup *>(w)->value();
            if (chosen.isEmpty())
                f.clear();
            else
                f.setAsString(chosen);
        });
    connect(group, &DbRadioGroup::valueEdited, &binding, [&binding, group] { binding.editorChanged(group); });
}
