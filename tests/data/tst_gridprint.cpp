// The table print of a grid: which columns and rows it prints and how, how a wide and long list
// is cut into pages, the preview and the PDF, spreadsheet and CSV exports, on a real guest list.
#include "TestSupport.h"
#include "controls/DbGrid.h"
#include "data/GridPrintPreviewDialog.h"
#include "data/GridPrinter.h"
#include "data/GridReportCellFormat.h"
#include "data/GridReportLayout.h"
#include "data/GridReportTableBuilder.h"
#include "data/TableExportCsv.h"
#include "data/Tdm1.h"
#include "db/AppError.h"
#include "db/ErrorSink.h"
#include "db/Query.h"
#include "gen/FieldSetRoutines.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

#include <optional>

namespace {

// The guest list's statement with neutral macros.
const char *const kGuestListSql =
    "SELECT * FROM MISAFIR LEFT JOIN ODAEV ON ODAEV.IDODAEV=MISAFIR._IDODAEV LEFT JOIN TESISLER ON "
    "TESISLER.IDTESISLER=ODAEV._IDTESISLER\n"
    "WHERE (&staticfilter) AND (&filter)\n"
    "GROUP BY IDMISAFIR\n"
    "HAVING (&having)\n"
    "ORDER BY (CASE WHEN _IDODAEV IS NULL THEN 1 ELSE 0 END),IDMISAFIR DESC";

const char *const kGuests =
    "INSERT INTO TESISLER(TESISKODU,TESISBOLGE,TESISADI) VALUES (1234,'P','Otel Çınar');"
    "INSERT INTO ODAEV(_IDTESISLER,ODAEVNO,ODAEVACIKLAMA) VALUES (1,'101','Deniz manzaralı'),(1,'102','Bahçe');"
    "INSERT INTO MISAFIR(_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,TCNO,ADI,SOYADI,BABAADI,ANAADI,CINSIYET,"
    "MEDENIDURUM,DOGUMYERI,DOGUMTARIHI,NUFUSKAYITIL,NUFUSKAYITILCE,NUFUSKAYITMAH,NUFUSCILT,NUFUSAILESIRANO,"
    "NUFUSSIRANO,IKAMETADRESI,MESLEGI,GELISTARIH,GELISSAAT,AYRILISTARIH,AYRILISSAAT,ARACPLAKANO) VALUES"
    " (1,'N','A12','TC',12345678950,'Şükrü','Öztürk','Ömer','Gülşen','E','E','İzmir','1980-05-17','İzmir',"
    "  'Karşıyaka','Bostanlı',15,7,42,'Atatürk Cad. No:5; \"Kat 2\"','Öğretmen','2024-03-01','09:05:07.000',"
    "  NULL,NULL,'35 ABC 123'),"
    " (2,'P','P998877','DEU',NULL,'Jürgen','Müller',NULL,NULL,'E','B','Berlin','1975-11-02',NULL,NULL,NULL,"
    "  NULL,NULL,NULL,'Kurfürstendamm 123, Charlottenburg-Wilmersdorf, 10711 Berlin, Almanya; ikinci adres "
    "satırı da burada uzun uzun devam ediyor','Mühendis','2024-03-02','14:30:00.000','2024-03-05',"
    "  '11:00:00.000',NULL),"
    " (1,'N','B34','TC',98765432100,'Çağla','Işık','Cem','Ayşe','K','B','Ağrı','1990-01-31','Ağrı','Merkez',"
    "  'Yeni',3,1,2,'Gül Sok. 1','Doktor','2024-03-03','18:00:00.000',NULL,NULL,NULL);";

// A fresh qrt.db with three guests, shown as the guest list shows them: the "MISAFIR" field set
// on the grid, then the user hides the surname column and drags the name column to the front.
struct GuestList {
    testsupport::ScopedWorkDir dir;
    Tdm1 module;
    Query query{module.dbMain()};
    DbGrid grid;

    GuestList()
    {
        module.dbMain()->executeScript(QString::fromUtf8(kGuests));
        query.setSql(QString::fromUtf8(kGuestListSql));
        for (const char *macro : {"staticfilter", "filter", "having"})
            query.setMacro(QLatin1String(macro), QStringLiteral("1"));
        applyFieldSetFirstShow(*module.FDT(), QStringLiteral("MISAFIR"), query, &grid);
        query.open();
        grid.setColumnHidden(grid.model()->columnOfField(QStringLiteral("SOYADI")), true);
        QHeaderView *header = grid.horizontalHeader();
        header->moveSection(header->visualIndex(grid.model()->columnOfField(QStringLiteral("ADI"))), 0);
        query.first();
    }

    // The labels the print must show: the shown labels of the set, name first, no surname.
    static QStringList expectedLabels()
    {
        QStringList labels{"TESIS ADI", "ODA/EV NO", "ADI", "SOYADI", "UYRUGU", "GELIS TARIH", "GELIS SAAT",
                           "AYRILIS TARIH", "AYRILIS SAAT", "TC NO", "KIMLIK TURU", "KIMLIK SERINO", "BABAADI",
                           "ANAADI", "DOGUM YERI", "DOGUM TARIHI", "NUFUS IL", "NUFUS ILCE", "NUFUS MAH",
                           "NUFUS CILT", "AILE SIRANO", "NUFUS SIRANO", "CINSIYET", "MEDENI DURUM",
                           "IKAMET ADRESI", "MESLEGI", "ARAC PLAKANO"};
        labels.removeOne("SOYADI");
        labels.removeOne("ADI");
        labels.prepend("ADI");
        return labels;
    }
};

// Collects what reaches the program's error box.
struct ErrorCapture {
    QStringList messages;
    ErrorCapture() { ErrorSink::setHandler([this](const QString &message) { messages << message; }); }
    ~ErrorCapture() { ErrorSink::setHandler({}); }
};

// Puts a preview runner and a file chooser in place for one test.
struct PreviewSeams {
    explicit PreviewSeams(GridPrinter::PreviewRunner runner, GridPrintPreviewDialog::SaveFileChooser chooser = {})
    {
        GridPrinter::setPreviewRunner(std::move(runner));
        GridPrintPreviewDialog::setSaveFileChooser(std::move(chooser));
    }
    ~PreviewSeams()
    {
        GridPrinter::setPreviewRunner({});
        GridPrintPreviewDialog::setSaveFileChooser({});
    }
};

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &path, int page = 0)
{
    QStringList arguments;
    if (page > 0)
        arguments << "-f" << QString::number(page) << "-l" << QString::number(page);
    return run("pdftotext", arguments << "-layout" << path << "-");
}

int pdfPageCount(const QString &path)
{
    const QString info = run("pdfinfo", {path});
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    return pages.match(info).captured(1).toInt();
}

int columnOf(const GridReportTable &table, const QString &label)
{
    return int(table.labels().indexOf(label));
}

// Twelve columns of long values and 200 rows: too wide and too long for one page.
GridReportTable wideTable()
{
    GridReportTable table(QStringLiteral("Geniş Liste"));
    for (int column = 1; column <= 12; ++column)
        table.addColumn(QStringLiteral("F%1").arg(column), QStringLiteral("SUTUN %1").arg(column, 2, 10, QChar('0')));
    for (int row = 0; row < 200; ++row) {
        GridReportTable::Row cells;
        for (int column = 1; column <= 12; ++column)
            cells.push_back({QStringLiteral("değer %1 / %2 uzunca bir metin").arg(row + 1).arg(column), 0, false});
        table.addRow(std::move(cells));
    }
    return table;
}

} // namespace

class TestGridPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::pinTurkishLocale(); }

    void printsVisibleColumnsInGridOrderAndRowsInQueryOrder()
    {
        GuestList list;
        ErrorCapture errors;
        std::optional<GridReportTable> printed;
        QVector<Qt::Alignment> cilt;
        PreviewSeams seams([&](GridPrintPreviewDialog &preview) {
            printed = preview.table();
            const int column = columnOf(preview.table(), "NUFUS CILT");
            for (int row = 0; row < preview.table().rowCount(); ++row)
                cilt << preview.reportLayout().alignment(row, column);
        });
        QCOMPARE(list.query.row(), 0);

        GridPrinter printer;
        printer.gridyazdir(&list.grid, QStringLiteral("Kişi Listesi"));

        QVERIFY(errors.messages.isEmpty());
        QVERIFY(printed);
        QCOMPARE(printed->title(), QString("Kişi Listesi"));
        QCOMPARE(printed->labels(), GuestList::expectedLabels());
        QCOMPARE(printed->rowCount(), 3);
        // The guest list shows the newest stay first.
        const int name = columnOf(*printed, "ADI");
        QCOMPARE(printed->cell(0, name).text, QString("Çağla"));
        QCOMPARE(printed->cell(1, name).text, QString("Jürgen"));
        QCOMPARE(printed->cell(2, name).text, QString("Şükrü"));
        // Numbers right, the empty cell of a guest without volume number as any text.
        QCOMPARE(cilt, (QVector<Qt::Alignment>{Qt::AlignRight | Qt::AlignVCenter, Qt::AlignLeft | Qt::AlignVCenter,
                                               Qt::AlignRight | Qt::AlignVCenter}));

        // The print state stays; the query and the grid stand on the last record.
        QCOMPARE(printer.FTableViewDataset(), &list.query);
        QCOMPARE(printer.FTableViewGrid(), &list.grid);
        QCOMPARE(printer.FTableViewCaption(), QString("Kişi Listesi"));
        QCOMPARE(list.query.row(), 2);
        QCOMPARE(list.grid.currentIndex().row(), 2);
    }

    void printsValuesAsTheirPlainText_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("INT volume number") << 2 << "NUFUS CILT" << "15,00" << true;
        QTest::newRow("INT family number") << 2 << "AILE SIRANO" << "7,00" << true;
        QTest::newRow("NULL INT") << 1 << "NUFUS CILT" << "" << false;
        QTest::newRow("TC number, plain digits") << 2 << "TC NO" << "12345678950" << false;
        QTest::newRow("time with seconds, not hh:nn") << 2 << "GELIS SAAT" << "09:05:07" << false;
        QTest::newRow("date in the locale's form") << 2 << "GELIS TARIH" << "01.03.2024" << false;
        QTest::newRow("NULL date") << 2 << "AYRILIS TARIH" << "" << false;
        QTest::newRow("text unchanged") << 2 << "IKAMET ADRESI" << "Atatürk Cad. No:5; \"Kat 2\"" << false;
    }

    void printsValuesAsTheirPlainText()
    {
        QFETCH(int, row);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        GuestList list;
        const GridReportTable table = GridReportTableBuilder::build(
            list.query, GridReportTableBuilder::printedFieldNames(&list.grid, list.query), "Kişi Listesi");
        const int column = columnOf(table, label);
        QVERIFY(column >= 0);
        QCOMPARE(table.cell(row, column).text, text);
        QCOMPARE(table.cell(row, column).numeric, numeric);
    }

    void numbersUseTheLocalesDecimalSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        QTest::newRow("Turkish") << turkish << 15.0 << "15,00";
        QTest::newRow("C") << QLocale::c() << 15.0 << "15.00";
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << 15.0 << "15.00";
        QTest::newRow("negative") << turkish << -3.0 << "-3,00";
        QTest::newRow("no thousands separator") << turkish << 1234567.0 << "1234567,00";
        QTest::newRow("rounded to two decimals") << turkish << 2.675 << "2,67";
        QTest::newRow("zero") << turkish << 0.0 << "0,00";
    }

    void numbersUseTheLocalesDecimalSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(GridReportCellFormat::numberText(value, locale), text);
    }

    // Expression columns carry no declared type: 32-bit integers and doubles are numbers, a
    // larger integer is not. Without a grid, the query's visible fields print in field order.
    void expressionColumnsAreNumericByTheirValue()
    {
        testsupport::ScopedWorkDir dir;
        Tdm1 module;
        Query query(module.dbMain());
        query.setSql("SELECT 2.5 AS ORAN, 7 AS SAYI, 3000000000 AS BUYUK, 'metin' AS METIN, 1 AS GIZLI");
        query.prepareFields();
        query.fieldByName("GIZLI").setVisible(false);
        query.open();
        const QStringList names = GridReportTableBuilder::printedFieldNames(nullptr, query);
        QCOMPARE(names, (QStringList{"ORAN", "SAYI", "BUYUK", "METIN"}));
        const GridReportTable table = GridReportTableBuilder::build(query, names, "Deneme");
        QCOMPARE(table.cell(0, 0).text, QString("2,50"));
        QVERIFY(table.cell(0, 0).numeric);
        QCOMPARE(table.cell(0, 1).text, QString("7,00"));
        QVERIFY(table.cell(0, 1).numeric);
        QCOMPARE(table.cell(0, 2).text, QString("3000000000"));
        QVERIFY(!table.cell(0, 2).numeric);
        QCOMPARE(table.cell(0, 3).text, QString("metin"));
    }

    void gridWithoutOpenQueryPrintsNothing_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::newRow("no grid") << "none";
        QTest::newRow("grid without query") << "unbound";
        QTest::newRow("closed query") << "closed";
    }

    void gridWithoutOpenQueryPrintsNothing()
    {
        QFETCH(QString, grid);
        GuestList list;
        ErrorCapture errors;
        DbGrid unbound;
        bool shown = false;
        PreviewSeams seams([&](GridPrintPreviewDialog &) { shown = true; });
        list.query.close();

        GridPrinter printer;
        DbGrid *target = grid == "none" ? nullptr : grid == "unbound" ? &unbound : &list.grid;
        printer.gridyazdir(target, QStringLiteral("Kişi Listesi"));

        QVERIFY(!shown);
        QVERIFY(errors.messages.isEmpty());
        QVERIFY(!printer.FTableViewDataset());
        QVERIFY(!list.query.isOpen());
    }

    void emptyListPrintsTitleAndLabelsOnly()
    {
        GuestList list;
        list.query.setMacro("staticfilter", "0");
        list.query.refresh();
        const GridReportTable table = GridReportTableBuilder::build(
            list.query, GridReportTableBuilder::printedFieldNames(&list.grid, list.query), "Kişi Listesi");
        QCOMPARE(table.rowCount(), 0);
        const GridReportLayout layout(table);
        const QVector<GridReportLayout::Page> pages =
            layout.paginate(GridReportLayout::printableSize(GridReportLayout::defaultPageLayout()));
        for (const GridReportLayout::Page &page : pages)
            QCOMPARE(page.endRow, 0);
        QCOMPARE(pages.size(), pages.last().band + 1);
    }

    // Pages run across first, then down; every page repeats the labels and record numbers of its
    // part, no row is cut, and only the first page carries the title.
    void wideLongListContinuesAcrossThenDown()
    {
        testsupport::ScopedWorkDir dir;
        const GridReportTable table = wideTable();
        const GridReportLayout layout(table);
        const QPageLayout pageLayout = GridReportLayout::defaultPageLayout();
        const QSizeF printable = GridReportLayout::printableSize(pageLayout);
        const QVector<GridReportLayout::Page> pages = layout.paginate(printable);

        const int bands = pages.last().band + 1;
        const int strips = pages.last().strip + 1;
        QVERIFY2(bands >= 2 && strips >= 2, qPrintable(QString("%1 x %2").arg(bands).arg(strips)));
        QCOMPARE(pages.size(), bands * strips);
        int nextRow = 0;
        for (int i = 0; i < pages.size(); ++i) {
            const GridReportLayout::Page &page = pages[i];
            QCOMPARE(page.strip, i / bands);
            QCOMPARE(page.band, i % bands);
            QCOMPARE(page.showsTitle, i == 0);
            // The same rows across a strip, the same columns down a band.
            QCOMPARE(page.firstRow, pages[page.strip * bands].firstRow);
            QCOMPARE(page.firstColumn, pages[page.band].firstColumn);
            if (page.band == 0) {
                QCOMPARE(page.firstRow, nextRow);
                nextRow = page.endRow;
            }
            qreal width = layout.rowHeaderWidth();
            for (int column = page.firstColumn; column < page.endColumn; ++column)
                width += layout.columnWidth(column);
            QVERIFY(width <= printable.width());
            if (page.endColumn < table.columnCount())
                QVERIFY(width + layout.columnWidth(page.endColumn) > printable.width());
            qreal height = layout.headerHeight() + (page.strip == 0 ? layout.titleBandHeight() : 0);
            for (int row = page.firstRow; row < page.endRow; ++row)
                height += layout.rowHeight(row);
            QVERIFY(height <= printable.height());
        }
        QCOMPARE(nextRow, table.rowCount());

        // The PDF has these pages in this order.
        const QString path = dir.filePath("genis.pdf");
        {
            QPdfWriter writer(path);
            writer.setPageLayout(pageLayout);
            QCOMPARE(layout.render(writer), int(pages.size()));
        }
        QCOMPARE(pdfPageCount(path), int(pages.size()));
        const auto label = [&](int column) { return table.column(column).label; };
        const QString first = pdfText(path, 1);
        QVERIFY(first.contains("Geniş Liste"));
        QVERIFY(first.contains(label(0)));
        QVERIFY(!first.contains(label(pages[1].firstColumn)));
        const QString secondAcross = pdfText(path, 2);
        QVERIFY(!secondAcross.contains("Geniş Liste"));
        QVERIFY(secondAcross.contains(label(pages[1].firstColumn)));
        QVERIFY(secondAcross.contains(QString("değer 1 / %1 ").arg(pages[1].firstColumn + 1)));
        const QString secondDown = pdfText(path, bands + 1);
        QVERIFY(secondDown.contains(label(0)));
        const int row = pages[bands].firstRow;
        QVERIFY(secondDown.contains(QString("değer %1 / 1 ").arg(row + 1)));
        QVERIFY(!secondDown.contains(QString("değer %1 / 1 ").arg(row)));
    }

    void exportsFromThePreview()
    {
        GuestList list;
        ErrorCapture errors;
        QStringList asked;
        QString answer;
        PreviewSeams seams(
            [&](GridPrintPreviewDialog &preview) {
                // Cancelling the file dialog writes nothing.
                preview.exportCsvAction()->trigger();
                answer = list.dir.filePath("liste");
                preview.exportPdfAction()->trigger();
                preview.exportXlsxAction()->trigger();
                preview.exportCsvAction()->trigger();
            },
            [&](QWidget *, const QString &caption, const QString &suggested, const QString &) {
                asked << caption + " | " + QFileInfo(suggested).fileName();
                return answer;
            });

        GridPrinter().gridyazdir(&list.grid, QStringLiteral("Kişi Listesi"));

        QVERIFY2(errors.messages.isEmpty(), qPrintable(errors.messages.join('\n')));
        QCOMPARE(asked, (QStringList{"CSV olarak kaydet | Kişi Listesi.csv", "PDF olarak kaydet | Kişi Listesi.pdf",
                                     "Excel dosyası olarak kaydet | Kişi Listesi.xlsx",
                                     "CSV olarak kaydet | Kişi Listesi.csv"}));

        const QString pdf = pdfText(list.dir.filePath("liste.pdf"));
        for (const char *shown : {"Kişi Listesi", "TESIS ADI", "ODA/EV NO", "ADI", "NUFUS CILT", "15,00", "Şükrü",
                                  "Otel Çınar", "12345678950", "09:05:07"})
            QVERIFY2(pdf.contains(QString::fromUtf8(shown)), shown);
        for (const char *hidden : {"ODA/EV ACIKLAMA", "Deniz manzaralı", "SOYADI", "Öztürk"})
            QVERIFY2(!pdf.contains(QString::fromUtf8(hidden)), hidden);

        const QString sharedStrings = run("unzip", {"-p", list.dir.filePath("liste.xlsx"), "xl/sharedStrings.xml"});
        for (const char *text : {"Kişi Listesi", "TESIS ADI", "Şükrü", "Çağla", "Otel Çınar", "Ağrı"})
            QVERIFY2(sharedStrings.contains(QString::fromUtf8(text)), text);
        const QString sheet = run("unzip", {"-p", list.dir.filePath("liste.xlsx"), "xl/worksheets/sheet1.xml"});
        QVERIFY(sheet.contains("<v>15</v>"));
        const QString workbook = run("unzip", {"-p", list.dir.filePath("liste.xlsx"), "xl/workbook.xml"});
        QVERIFY(workbook.contains("name=\"Kişi Listesi\""));

        QFile csv(list.dir.filePath("liste.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        QCOMPARE(lines.size(), 5); // labels, three rows, the end of the last line
        QCOMPARE(lines[0], ";" + GuestList::expectedLabels().join(';'));
        QVERIFY(lines[1].startsWith("1;Çağla;Otel Çınar;101;TC;03.03.2024;18:00:00;;;98765432100;"));
        QVERIFY(lines[3].startsWith("3;Şükrü;"));
        QVERIFY(lines[3].contains(";15,00;7,00;42,00;"));
        QVERIFY(lines[3].contains(";\"Atatürk Cad. No:5; \"\"Kat 2\"\"\";Öğretmen;"));
        QCOMPARE(lines[4], QString());
    }

    void failedExportIsReported_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("PDF") << "pdf";
        QTest::newRow("spreadsheet") << "xlsx";
        QTest::newRow("CSV") << "csv";
    }

    void failedExportIsReported()
    {
        QFETCH(QString, format);
        GuestList list;
        ErrorCapture errors;
        const QString path = list.dir.filePath("yok/liste." + format);
        PreviewSeams seams(
            [&](GridPrintPreviewDialog &preview) {
                QAction *action = format == "pdf" ? preview.exportPdfAction()
                    : format == "xlsx"            ? preview.exportXlsxAction()
                                                  : preview.exportCsvAction();
                action->trigger();
            },
            [&](QWidget *, const QString &, const QString &, const QString &) { return path; });

        GridPrinter().gridyazdir(&list.grid, QStringLiteral("Kişi Listesi"));

        QCOMPARE(errors.messages.size(), 1);
        QVERIFY2(errors.messages[0].startsWith(QString("'%1' dosyası yazılamadı: ").arg(path)),
                 qPrintable(errors.messages[0]));
        QVERIFY(!QFile::exists(path));
    }

    void csvQuotesWhatNeedsQuotes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Işık" << "Işık";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("separator") << "a;b" << "\"a;b\"";
        QTest::newRow("quote") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
        QTest::newRow("line break") << "two\nlines" << "\"two\nlines\"";
        QTest::newRow("carriage return") << "a\rb" << "\"a\rb\"";
        QTest::newRow("comma stays bare") << "15,00" << "15,00";
    }

    void csvQuotesWhatNeedsQuotes()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(TableExportCsv::field(text), field);
    }

    // The real modal preview opens at 100 % with the table's pages and cuts them anew when the
    // page setup turns the page.
    void previewOpensAtActualSizeAndFollowsPageSetup()
    {
        GuestList list;
        ErrorCapture errors;
        int landscapePages = 0;
        int portraitPages = 0;
        qreal zoom = 0;
        QTimer poll;
        QElapsedTimer waited;
        waited.start();
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *preview = qobject_cast<GridPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (preview && waited.elapsed() > 10000) {
                poll.stop();
                preview->reject(); // never got its pages: the comparisons below fail
                return;
            }
            if (!preview || !preview->isVisible() || preview->previewWidget()->pageCount() == 0)
                return;
            poll.stop();
            landscapePages = preview->previewWidget()->pageCount();
            zoom = preview->previewWidget()->zoomFactor();
            preview->printer()->setPageOrientation(QPageLayout::Portrait);
            preview->previewWidget()->updatePreview();
            portraitPages = preview->previewWidget()->pageCount();
            preview->reject();
        });
        poll.start(20);

        GridPrinter().gridyazdir(&list.grid, QStringLiteral("Kişi Listesi"));

        QVERIFY(errors.messages.isEmpty());
        QCOMPARE(zoom, 1.0);
        QVERIFY(landscapePages >= 2);
        QVERIFY2(portraitPages > landscapePages, qPrintable(QString("%1 %2").arg(landscapePages).arg(portraitPages)));
    }
};

QTEST_MAIN(TestGridPrint)
#include "tst_gridprint.moc"
