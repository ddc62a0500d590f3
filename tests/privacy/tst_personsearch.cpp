#include "PrivacyFixture.h"

#include "db/AppError.h"
#include "db/Query.h"
#include "privacy/PersonSearch.h"
#include "privacy/StayErasure.h"

#include <QtTest>

using namespace privacytest;

Q_DECLARE_METATYPE(PersonSearch::Key)

namespace {

// Two stays of Şahin Işık (one already erased, one current), one of his namesake born on
// another day, and one of a foreigner whose passport serial is the same as Şahin's document.
struct People {
    Register r;
    qint64 sahinFirst = 0, sahinSecond = 0, sahinErased = 0, namesake = 0, foreigner = 0;

    People()
    {
        Identity sahin = Identity::make("S", 10000000146);
        sahin.givenName = "Şahin";
        sahin.surname = "Işık";
        sahin.serial = "A12b34";
        sahinFirst = r.addStay(sahin, day(-400), day(-395));
        sahinSecond = r.addStay(sahin, day(-2), QVariant());
        sahinErased = r.addStay(sahin, day(-900), day(-899));
        StayErasure::erase(r.db(), {sahinErased}, QChar(StayErasure::kOnRequest));

        Identity other = Identity::make("N", 10000000078);
        other.givenName = "ŞAHİN";
        other.surname = "IŞIK";
        other.birthDate = "1990-01-01";
        namesake = r.addStay(other, day(-5), day(-4));

        Identity visitor = Identity::make("F", 0);
        visitor.serial = "A12B34";
        visitor.nationality = "DEU";
        foreigner = r.addStay(visitor, day(-5), day(-4));
    }

    QList<qint64> found(const PersonSearch::Condition &condition)
    {
        PersonSearch::registerFolding(r.db());
        Query query(&r.db());
        query.setSql("SELECT IDMISAFIR FROM MISAFIR WHERE " + condition.sql + " ORDER BY IDMISAFIR");
        for (auto it = condition.params.begin(); it != condition.params.end(); ++it)
            query.setParam(it.key(), it.value());
        query.open();
        QList<qint64> ids;
        for (query.first(); !query.isEof(); query.next())
            ids << query.field(0)->asString().toLongLong();
        return ids;
    }
};

PersonSearch::Condition conditionFor(PersonSearch::Key key, const QStringList &values)
{
    switch (key) {
    case PersonSearch::Key::TcNo:
        return PersonSearch::byTcNo(values.value(0));
    case PersonSearch::Key::DocumentSerial:
        return PersonSearch::byDocumentSerial(values.value(0), values.value(1));
    case PersonSearch::Key::NameAndBirthDate:
        break;
    }
    return PersonSearch::byNameAndBirthDate(values.value(0), values.value(1), QDate::fromString(values.value(2), Qt::ISODate));
}

} // namespace

class TestPersonSearch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void findsEveryStayOfThePerson_data()
    {
        QTest::addColumn<PersonSearch::Key>("key");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("expected");
        using K = PersonSearch::Key;
        QTest::newRow("TC number") << K::TcNo << QStringList{"10000000146"} << "sahin";
        QTest::newRow("TC number with blanks around") << K::TcNo << QStringList{" 10000000146 "} << "sahin";
        QTest::newRow("TC number of nobody") << K::TcNo << QStringList{"10000000999"} << "";
        QTest::newRow("serial and nationality") << K::DocumentSerial << QStringList{"a12B34", "TC"} << "sahin";
        QTest::newRow("same serial, other nationality") << K::DocumentSerial << QStringList{"A12B34", "DEU"}
                                                        << "foreigner";
        QTest::newRow("serial of nobody") << K::DocumentSerial << QStringList{"A12B35", "TC"} << "";
        QTest::newRow("name in small letters, blanks doubled")
            << K::NameAndBirthDate << QStringList{"şahin", " ışık  ", "1985-04-23"} << "sahin";
        QTest::newRow("same name, other birth date")
            << K::NameAndBirthDate << QStringList{"Şahin", "Işık", "1990-01-01"} << "namesake";
        QTest::newRow("dotted i is not dotless ı")
            << K::NameAndBirthDate << QStringList{"Şahin", "Isik", "1985-04-23"} << "";
    }
    void findsEveryStayOfThePerson()
    {
        QFETCH(PersonSearch::Key, key);
        QFETCH(QStringList, values);
        QFETCH(QString, expected);
        People people;
        const QMap<QString, QList<qint64>> groups{{"sahin", {people.sahinFirst, people.sahinSecond}},
                                                   {"namesake", {people.namesake}},
                                                   {"foreigner", {people.foreigner}},
                                                   {"", {}}};
        QCOMPARE(people.found(conditionFor(key, values)), groups.value(expected));
    }

    void incompleteKeyIsRefused_data()
    {
        QTest::addColumn<PersonSearch::Key>("key");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("message");
        using K = PersonSearch::Key;
        QTest::newRow("TC too short") << K::TcNo << QStringList{"1234567890"} << "TC kimlik numarası 11 haneli";
        QTest::newRow("TC with a letter") << K::TcNo << QStringList{"1000000014a"} << "TC kimlik numarası 11 haneli";
        QTest::newRow("TC starting with 0") << K::TcNo << QStringList{"01000000146"} << "TC kimlik numarası 11 haneli";
        QTest::newRow("no serial") << K::DocumentSerial << QStringList{"  ", "TC"} << "Belge seri numarasını";
        QTest::newRow("no nationality") << K::DocumentSerial << QStringList{"A1", ""} << "Uyruğu seçiniz";
        QTest::newRow("no surname") << K::NameAndBirthDate << QStringList{"Ali", "", "1980-01-01"} << "Adı ve soyadını";
        QTest::newRow("no birth date") << K::NameAndBirthDate << QStringList{"Ali", "Veli", ""} << "Doğum tarihini";
    }
    void incompleteKeyIsRefused()
    {
        QFETCH(PersonSearch::Key, key);
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        try {
            conditionFor(key, values);
            QFAIL("accepted");
        } catch (const AppError &error) {
            QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        }
    }
};

QTEST_MAIN(TestPersonSearch)
#include "tst_personsearch.moc"
