#include "controls/IconList.h"
#include "controls/TVrnHeaderPanel.h"
#include "controls/TVrnImage.h"
#include "db/AppError.h"

#include "TestSupport.h"

#include <QLabel>
#include <QtTest>

namespace {

// A header strip as the windows use it: 41 pixels high, a title, and optionally an icon.
struct Header {
    IconList icons;
    TVrnHeaderPanel panel;

    Header(bool withList, int index, int height = TVrnCustomHeaderPanel::kDefaultHeight)
    {
        panel.resize(300, height);
        panel.setFixedHeight(height);
        if (withList)
            panel.setImages(&icons);
        panel.setImageIndex(index);
        panel.LabelCap()->setText("AYARLAR");
    }
    // Rendering runs the panel's paint, which places the title.
    QImage render() { return panel.grab().toImage(); }
    QPoint labelPos() const { return panel.LabelCap()->pos(); }
    int centredTop() const { return panel.height() / 2 - panel.LabelCap()->height() / 2; }
};

} // namespace

class TestHeaderPanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void stripIsFortyOnePixelsHigh()
    {
        TVrnHeaderPanel panel;
        QCOMPARE(panel.height(), 41);
        QVERIFY(!panel.HasIcon());
        QCOMPARE(panel.ImageIndex(), -1);
        QVERIFY(panel.LabelCap()->text().isEmpty());
    }

    void titleStandsBesideTheIcon_data()
    {
        QTest::addColumn<bool>("withList");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("expectedLeft");
        QTest::addColumn<QSize>("iconSize");
        QTest::newRow("icon 121 of the list") << true << 121 << 26 << QSize(16, 16);
        QTest::newRow("no icon list") << false << 121 << 5 << QSize(0, 0);
        QTest::newRow("index -1") << true << -1 << 5 << QSize(0, 0);
    }
    void titleStandsBesideTheIcon()
    {
        QFETCH(bool, withList);
        QFETCH(int, index);
        QFETCH(int, expectedLeft);
        QFETCH(QSize, iconSize);
        Header header(withList, index);
        header.render();
        QCOMPARE(header.labelPos(), QPoint(expectedLeft, header.centredTop()));
        QCOMPARE(header.panel.HasIcon(), withList && index >= 0);
        QCOMPARE(header.panel.iconDrawSize(), iconSize);
    }

    // The icon grows by whole multiples of 16 only: (height - 2 x 5) div 16 times.
    void iconScalesByWholeFactors_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("side");
        QTest::newRow("41: factor 1") << 41 << 16;
        QTest::newRow("42: factor 2") << 42 << 32;
        QTest::newRow("57: factor 2, not 2.9") << 57 << 32;
        QTest::newRow("60: factor 3") << 60 << 48;
        QTest::newRow("25: too low for one icon") << 25 << 0;
    }
    void iconScalesByWholeFactors()
    {
        QFETCH(int, height);
        QFETCH(int, side);
        Header header(true, 121, height);
        header.render();
        QCOMPARE(header.panel.iconDrawSize(), QSize(side, side));
        QCOMPARE(header.labelPos().x(), side + 10);
    }

    void iconIsDrawnInsideThePadding()
    {
        Header withIcon(true, 121);
        Header without(true, -1);
        const QImage drawn = withIcon.render();
        const QImage plain = without.render();
        const QRect iconArea(5, (41 - 16) / 2, 16, 16);
        int differing = 0;
        for (int y = iconArea.top(); y <= iconArea.bottom(); ++y)
            for (int x = iconArea.left(); x <= iconArea.right(); ++x)
                differing += drawn.pixel(x, y) != plain.pixel(x, y);
        QVERIFY2(differing > 64, qPrintable(QString("only %1 icon pixels drawn").arg(differing)));
        QCOMPARE(drawn.pixel(3, 20), plain.pixel(3, 20));
    }

    void newIndexTakesEffectAtTheNextRepaint()
    {
        Header header(true, -1);
        header.render();
        QCOMPARE(header.labelPos().x(), 5);
        header.panel.setImageIndex(108);
        QCOMPARE(header.labelPos().x(), 5);
        header.render();
        QCOMPARE(header.labelPos().x(), 26);
    }

    void longerTitleKeepsItsWholeText()
    {
        Header header(true, 122);
        header.render();
        header.panel.LabelCap()->setText("XML DOSYASI KAYDET");
        header.render();
        const QLabel *label = header.panel.LabelCap();
        QCOMPARE(label->width(), label->sizeHint().width());
    }

    void panelForgetsAFreedIconList()
    {
        TVrnHeaderPanel panel;
        {
            IconList icons;
            panel.setImages(&icons);
            panel.setImageIndex(121);
            QVERIFY(panel.HasIcon());
        }
        QCOMPARE(panel.Images(), nullptr);
        panel.grab();
        QVERIFY(!panel.HasIcon());
        QCOMPARE(panel.LabelCap()->x(), 5);
    }

    // The pictures the windows and buttons refer to by index are carried inside the program.
    void iconListHasThePicturesTheWindowsUse_data()
    {
        QTest::addColumn<int>("index");
        for (int index : {13, 21, 33, 36, 45, 72, 108, 121, 122})
            QTest::addRow("%d", index) << index;
    }
    void iconListHasThePicturesTheWindowsUse()
    {
        QFETCH(int, index);
        IconList icons;
        QVERIFY(icons.hasPicture(index));
        const QPixmap picture = icons.pixmap(index);
        QCOMPARE(picture.size(), QSize(16, 16));
        QVERIFY(picture.hasAlphaChannel());
    }

    void indexWithoutPictureGivesNothing()
    {
        IconList icons;
        for (int index : {-1, 0, 124, 125}) {
            QVERIFY(icons.icon(index).isNull());
            QVERIFY(icons.pixmap(index).isNull());
        }
    }

    void resourcePictureLoads_data()
    {
        QTest::addColumn<TVrnImageResType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("jpg") << TVrnImageResType::rit_jpg << ":/test/pictures/header.jpg" << QSize(8, 4);
        QTest::newRow("png") << TVrnImageResType::rit_png << ":/test/pictures/header.png" << QSize(6, 3);
        QTest::newRow("name from the resource root") << TVrnImageResType::rit_png << "test/pictures/header.png" << QSize(6, 3);
    }
    void resourcePictureLoads()
    {
        QFETCH(TVrnImageResType, type);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        TVrnImage image;
        image.setImageLoadResType(type);
        image.setImageLoadResString(name);
        QCOMPARE(image.pixmap().size(), size);

        TVrnHeaderPanel panel;
        panel.setImageLoadResType(type);
        panel.setImageLoadResString(name);
        QCOMPARE(panel.Picture().size(), size);
    }

    void resourcePictureFailures_data()
    {
        QTest::addColumn<TVrnImageResType>("type");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing jpg") << TVrnImageResType::rit_jpg << "BASLIK_ARKA" << "Jpg Load Error";
        QTest::newRow("missing png: the reader's text") << TVrnImageResType::rit_png << "BASLIK_ARKA" << "File not found";
        QTest::newRow("png read as jpg") << TVrnImageResType::rit_jpg << ":/test/pictures/header.png" << "";
    }
    void resourcePictureFailures()
    {
        QFETCH(TVrnImageResType, type);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TVrnImage image;
        image.setImageLoadResType(type);
        try {
            image.setImageLoadResString(name);
            QFAIL("no error raised");
        } catch (const AppError &error) {
            if (message.isEmpty())
                QVERIFY2(!error.message().isEmpty() && error.message() != "Jpg Load Error", qPrintable(error.message()));
            else
                QCOMPARE(error.message(), message);
        }
        TVrnHeaderPanel panel;
        panel.setImageLoadResType(type);
        QVERIFY_THROWS_EXCEPTION(AppError, panel.setImageLoadResString(name));
    }

    void emptyNameKeepsThePicture()
    {
        TVrnImage image;
        image.setImageLoadResString(":/test/pictures/header.jpg");
        image.setImageLoadResString(QString());
        QCOMPARE(image.pixmap().size(), QSize(8, 4));

        TVrnHeaderPanel panel;
        panel.setImageLoadResString(":/test/pictures/header.jpg");
        panel.setImageLoadResString(QString());
        QCOMPARE(panel.Picture().size(), QSize(8, 4));
    }
};

QTEST_MAIN(TestHeaderPanel)
#include "tst_headerpanel.moc"
