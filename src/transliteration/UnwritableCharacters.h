#pragma once
#include <QList>
#include <QString>
#include <functional>

class Query;

// The guest's text fields that go into the notification file, checked for characters that the
// file's code page cannot hold (they would be written as "?").
class UnwritableCharacters {
public:
    struct Finding {
        QString fieldName;
        QString label;     // the field as the operator knows it, "Soyadı"
        QString character; // the first character the file cannot hold
    };

    // Reads one column of the row as text; the empty text for NULL.
    using TextOf = std::function<QString(const QString &column)>;

    // Every field of the row that holds such a character, in the order of the file.
    static QList<Finding> findAll(const TextOf &textOf);
    // The same for the current row of a guest query; columns the query lacks are skipped.
    static QList<Finding> findAll(const Query &row);
    static bool anyIn(const Query &row);

    // The line that an export names such a guest with ("Ayşe Ivanova: Soyadı alanındaki
    // "в" (U+0432) dosyaya "?" olarak yazıldı."), or an empty text when the row has none.
    static QString exportNotice(const TextOf &textOf);
    // "Soyadı alanındaki "Ł" (U+0141)": the field and the character, for a message.
    static QString describe(const Finding &finding);
};
