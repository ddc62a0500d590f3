#pragma once
// A small facility/room/guest schema in a fresh working directory, for the dataset layer tests.
#include "TestSupport.h"
#include "db/Database.h"

#include <memory>

struct DbFixture {
    testsupport::ScopedWorkDir dir;
    Database db;

    DbFixture()
    {
        db.open("qrt.db");
        db.executeScript(
            "CREATE TABLE TESISLER(IDTESISLER INTEGER PRIMARY KEY AUTOINCREMENT, TESISKODU INT NOT NULL,"
            " TESISADI VARCHAR(80) NOT NULL, TESISAKTIF BOOLEAN DEFAULT 1);"
            "CREATE TABLE ODAEV(IDODAEV INTEGER PRIMARY KEY AUTOINCREMENT, _IDTESISLER INT NOT NULL,"
            " ODAEVNO VARCHAR(15));"
            "CREATE TABLE MISAFIR(IDMISAFIR INTEGER PRIMARY KEY AUTOINCREMENT, _IDODAEV INT NOT NULL,"
            " ADI VARCHAR(80) NOT NULL, TCNO UNSIGNED BIGINT, CINSIYET CHAR(1), DOGUMTARIHI DATE,"
            " GELISSAAT TIME, KAYIT DATETIME, NUFUSCILT INT);"
            "INSERT INTO TESISLER(TESISKODU,TESISADI) VALUES (1234,'Otel Güneş'),(99,'Pansiyon Çınar');"
            "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO) VALUES (1,'101'),(1,'102'),(2,'1');"
            "INSERT INTO MISAFIR(_IDODAEV,ADI,TCNO,CINSIYET,DOGUMTARIHI,GELISSAAT,KAYIT,NUFUSCILT) VALUES"
            " (1,'Şule',10000000146,'K','1980-02-29','09:05:00.000','2026-12-10 14:30:00.000',15),"
            " (1,'Ahmet',NULL,'E','1975-07-01',NULL,NULL,NULL),"
            " (2,'İsmail',12345678950,'E','2000-01-31','23:59:59.999','2026-12-10',7);");
    }

    int count(const QString &sql) { return db.scalar(sql).toInt(); }
};
