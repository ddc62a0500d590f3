#pragma once
#include <QDate>
#include <QString>
#include <QVariantMap>

class Database;

// Finds every stay of one person, by one of the keys a person can show: the TC identity number;
// the serial number of the identity document with the nationality; or the given name and surname
// with the date of birth. Names and serials are compared after Turkish upper-casing and with
// runs of blanks made one, so "şahin  ışık" finds "ŞAHİN IŞIK". Erased stays are never found.
class PersonSearch {
public:
    enum class Key { TcNo, DocumentSerial, NameAndBirthDate };

    // A WHERE condition on MISAFIR with its parameters (names begin with kv_).
    struct Condition {
        QString sql;
        QVariantMap params;
    };

    // Throws AppError with a Turkish message when the key's values are incomplete or malformed.
    static Condition byTcNo(const QString &tcNo);
    static Condition byDocumentSerial(const QString &serial, const QString &nationalityCode);
    static Condition byNameAndBirthDate(const QString &givenName, const QString &surname, const QDate &birthDate);

    // The folding that names are compared with, as the SQL function KV_KATLA on the connection.
    // Registered again on each search, so that a connection opened anew has it as well.
    static QString fold(const QString &text);
    static void registerFolding(Database &db);
};
