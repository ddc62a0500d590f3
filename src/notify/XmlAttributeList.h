#pragma once
#include <QLatin1StringView>
#include <QString>
#include <optional>
#include <span>
#include <vector>

// The attributes of one element, kept in a fixed order given by their names. An attribute that was
// set is always written, also with an empty value; one that was never set is left out.
class XmlAttributeList {
public:
    explicit XmlAttributeList(std::span<const QLatin1StringView> names);

    QString value(std::size_t index) const;
    void setValue(std::size_t index, const QString &value);

    // Appends ' name="value"' for every set attribute, in the fixed order, values escaped.
    void appendTo(QString &out) const;

    // Appends value as the text between the quotation marks of an attribute. "&", "<" and '"' become
    // entities; tab, carriage return and line feed become character references so that a reader gets
    // them back instead of blanks (attribute value normalisation); a character that XML 1.0 does not
    // allow at all becomes "?", since the official client could not read the file otherwise.
    static void appendEscaped(QStringView value, QString &out);

private:
    std::span<const QLatin1StringView> m_names;
    std::vector<std::optional<QString>> m_values;
};
