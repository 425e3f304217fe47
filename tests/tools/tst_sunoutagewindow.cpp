#include "DialogSeam.h"
#include "FieldMark.h"
#include "LanguageController.h"
#include "OutageTableModel.h"
#include "fSunOutage.h"

#include <QPointer>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <memory>

using namespace skyvane;

namespace {

// 47.16 N, 16.16 E, as the main window records it: West and North positive.
SatelliteRecord Satellite(double position, const QString& name = QStringLiteral("Astra 1C")) {
    return std::make_shared<const TSatelliteData>(
        TSatelliteData{name, position, 0.0, 0.0, -16.16, 47.16, 0.0});
}

void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QStringList Column(const GridView& grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid.gridRowCount(); ++row)
        texts << grid.cellText(row, column);
    return texts;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void CompareWithGolden(const QString& actualPath, const QString& goldenName) {
    const QByteArray golden = FileBytes(QStringLiteral(GOLDEN_DIR "/") + goldenName);
    if (FileBytes(actualPath) != golden) {
        const QString kept = QDir::temp().filePath(QStringLiteral("actual-") + goldenName);
        QFile::remove(kept);
        QFile::copy(actualPath, kept);
        QFAIL(qPrintable(QStringLiteral("%1 differs from the golden file; output kept as %2")
                             .arg(goldenName, kept)));
    }
}

QStringList FileLines(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

class TestSunOutageWindow : public QObject {
    Q_OBJECT

private:
    SunOutageOptions settings;
    SiteReportInputs site; // the main window's site fields
    void Set(bool spring, bool cband, double diameter) {
        settings.setSpring(spring);
        settings.setCband(cband);
        settings.setDiameter(diameter);
    }
    ToolWindowLink Link() {
        return {[this] { return site.facts; },
                [this] { return site.captions; },
                &settings,
                {},
                {},
                {},
                {},
                {}};
    }

private slots:
    void init() {
        QLocale::setDefault(QLocale::c());
        settings.restoreDefaults();
        site = {};
        site.captions.latitude = QStringLiteral("Latitude");
        site.facts.latitudeText = QStringLiteral("47.16");
        site.captions.longitude = QStringLiteral("Longitude");
        site.facts.longitudeText = QStringLiteral("16.16");
        DialogSeam::clearHooks();
    }

    void captionShowsNameAndPosition_data() {
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("caption");
        QTest::newRow("east position") << -19.2 << "Sun Outage for Astra 1C at 19.2\u00b0 E";
        QTest::newRow("zero counts as east") << 0.0 << "Sun Outage for Astra 1C at 0.0\u00b0 E";
        QTest::newRow("west position") << 30.0 << "Sun Outage for Astra 1C at 30.0\u00b0 W";
    }
    void captionShowsNameAndPosition() {
        QFETCH(double, position);
        QFETCH(QString, caption);
        TfrmSunOutage window(nullptr, Link());
        window.SetSatellite(Satellite(position));
        QCOMPARE(window.windowTitle(), caption);
        QCOMPARE(window.Panel6->heading()->text(), caption);
    }

    // An inclined satellite swinging 3° a day stays in a 9 m dish's beam only with tracking; a
    // small dish's wide beam holds it, and a station-kept one never gets the note.
    void trackingNoteForASwingBeyondTheBeam_data() {
        QTest::addColumn<double>("swing");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<bool>("shown");
        QTest::newRow("3° swing, 9 m dish") << 3.0 << "9" << true;
        QTest::newRow("3° swing, 0.3 m dish") << 3.0 << "0.3" << false;
        QTest::newRow("station-kept") << 0.0 << "9" << false;
    }
    void trackingNoteForASwingBeyondTheBeam() {
        QFETCH(double, swing);
        QFETCH(QString, diameter);
        QFETCH(bool, shown);
        TSatelliteData inclined = *Satellite(-19.2);
        inclined.Elevation = 30.0;
        inclined.Inclination = swing > 0.0 ? 2.0 : 0.03;
        inclined.DailyElevationSpan = swing;
        TfrmSunOutage window(nullptr, Link());
        window.SetSatellite(std::make_shared<const TSatelliteData>(inclined));
        Retype(window.edDiameter, diameter);
        const auto* note = window.findChild<QLabel*>(QStringLiteral("lblTrackingNeeded"));
        QVERIFY(note);
        QCOMPARE(note->isVisibleTo(&window), shown);
        if (shown)
            QVERIFY2(note->text().contains(QStringLiteral("tracking mount")),
                     qPrintable(note->text()));
    }

    void settingsReadOnOpenAndWrittenOnChange() {
        Set(false, false, 1.2);
        TfrmSunOutage window(nullptr, Link());
        QVERIFY(window.rbFall->isChecked() && window.rbKu->isChecked());
        QCOMPARE(window.edDiameter->text(), QStringLiteral("1.2"));
        QCOMPARE(window.edYear->text(), QString::number(QDate::currentDate().year()));
        QSignalSpy changed(&settings, &SunOutageOptions::changed);
        QTest::mouseClick(window.rbSpring, Qt::LeftButton, {}, QPoint(5, 8));
        QVERIFY(settings.spring() && !settings.cband());
        QCOMPARE(changed.count(), 1);
        Retype(window.edDiameter, QStringLiteral("2.4"));
        QCOMPARE(settings.diameter(), 2.4);
    }

    void textSetByTheProgramIsIgnored() {
        TfrmSunOutage window(nullptr, Link());
        const int year = window.Prediction().Year;
        window.edYear->setText(QStringLiteral("1999"));
        window.edDiameter->setText(QStringLiteral("9"));
        QCOMPARE(window.Prediction().Year, year);
        QCOMPARE(window.Prediction().Diameter, 3.6);
    }

    void spring2000TableIn24HourLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TfrmSunOutage window(nullptr, Link());
        window.SetSatellite(Satellite(-19.2));
        Retype(window.edYear, QStringLiteral("2000")); // computes 2, 20 and 200 on the way
        QCOMPARE(Column(*window.GridView1, 0),
                 QStringList({"29.02.00", "01.03.00", "02.03.00", "03.03.00", "04.03.00"}));
        const QTime start = QTime::fromString(window.GridView1->cellText(2, 1), "HH:mm:ss");
        QVERIFY2(qAbs(start.secsTo(QTime(10, 49, 51))) <= 5, qPrintable(start.toString()));
    }

    // The short date forms have two-digit years: read back, "29.02.00" is no date of 1900.
    void leapDaySortsByDate_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("24-hour locale") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("12-hour locale") << QLocale(QLocale::English, QLocale::UnitedStates);
    }
    void leapDaySortsByDate() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Set(true, false, 0.3);
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, QStringLiteral("2000"));
        window.SetSatellite(Satellite(-19.2));
        QStringList chronological;
        for (const OutageRow& row : window.Prediction().Rows)
            chronological << FormatOutageRow(row).Date;
        QVERIFY2(chronological.size() > 2 && chronological.indexOf(locale.toString(
                                                 QDate(2000, 2, 29), QLocale::ShortFormat)) > 0,
                 qPrintable(chronological.join(' ')));
        QCOMPARE(Column(*window.GridView1, 0), chronological);
    }

    void monthWithTwoDigitDaysSortsByDate() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Set(false, false, 0.8);
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, QStringLiteral("2025"));
        window.SetSatellite(Satellite(-19.2));
        const QStringList dates = Column(*window.GridView1, 0);
        QCOMPARE(dates.size(), 8);
        QCOMPARE(dates.first(), QStringLiteral("10/7/25"));
        QCOMPARE(dates.last(), QStringLiteral("10/14/25"));
    }

    // `typed` is typed after `before`, key by key; an empty `typed` clears the edit.
    void rejectedInputKeepsTable_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("focusReturns");
        QTest::newRow("comma in a point locale") << "edDiameter"
                                                 << "3"
                                                 << ",6" << true;
        QTest::newRow("zero on the way to 0.8") << "edDiameter"
                                                << ""
                                                << "0" << false;
        QTest::newRow("negative diameter") << "edDiameter"
                                           << ""
                                           << "-1" << false;
        QTest::newRow("year cleared") << "edYear"
                                      << "2000"
                                      << "" << true;
        QTest::newRow("year not a number") << "edYear"
                                           << "20"
                                           << "x" << true;
    }
    void rejectedInputKeepsTable() {
        QFETCH(QString, edit);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(bool, focusReturns);
        TfrmSunOutage window(nullptr, Link());
        window.SetSatellite(Satellite(-19.2));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* field = window.findChild<QLineEdit*>(edit);
        Retype(field, before);
        const QStringList rows = Column(*window.GridView1, 1);
        const SunOutagePredictor accepted = window.Prediction();
        const double stored = settings.diameter();
        window.GridView1->setFocus();
        if (typed.isEmpty())
            Retype(field, typed);
        else
            QTest::keyClicks(field, typed);
        QCOMPARE(Column(*window.GridView1, 1), rows);
        QCOMPARE(window.Prediction().Diameter, accepted.Diameter);
        QCOMPARE(window.Prediction().Year, accepted.Year);
        QCOMPARE(settings.diameter(), stored);
        if (focusReturns)
            QCOMPARE(QApplication::focusWidget(), field);
        QVERIFY(IsMarkedRejected(field));
    }

    void searchCutShortIsSaid_data() {
        QTest::addColumn<double>("diameter"); // metres
        QTest::addColumn<bool>("cutShort");
        QTest::newRow("1 cm dish: the sun never leaves the beam") << 0.01 << true;
        QTest::newRow("3.6 m dish") << 3.6 << false;
    }
    void searchCutShortIsSaid() {
        QFETCH(double, diameter);
        QFETCH(bool, cutShort);
        settings.setDiameter(diameter);
        TfrmSunOutage window(nullptr, Link());
        window.SetSatellite(Satellite(-19.2));
        window.show();
        QCOMPARE(window.lblSearchCutShort->isVisible(), cutShort);
    }

    void pointAcceptedInCommaLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edDiameter, QStringLiteral("1.5"));
        QCOMPARE(window.Prediction().Diameter, 1.5);
    }

    void exportsWriteHeaderAndRows() {
        QTemporaryDir dir;
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, QStringLiteral("2000"));
        window.SetSatellite(Satellite(-19.2));
        site.facts.latitudeText = QStringLiteral("47,680"); // typed after the window was opened
        site.facts.latitudeNorth = false;
        QString path;
        DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });
        path = dir.filePath(QStringLiteral("outage.csv"));
        window.ExporttoCSV1->trigger();
        const QStringList csv = FileLines(path);
        QCOMPARE(csv.size(), 11); // empty lines left out
        // Read as Latin-1: the degree sign stands between number and hemisphere.
        QVERIFY2(csv.at(1).startsWith("Latitude:;47.16") && csv.at(1).endsWith(" N"),
                 qPrintable(csv.at(1)));
        QCOMPARE(csv.at(3), QStringLiteral("Dish diameter:;3.6 m"));
        QCOMPARE(csv.at(5), QStringLiteral("Predicted Date;Start (GMT);End (GMT);Duration"));
        path = dir.filePath(QStringLiteral("outage.html"));
        window.ExporttoHTML1->trigger();
        const QString html = FileLines(path).join(QLatin1Char('\n'));
        QVERIFY(html.contains("<td class=\"value0\">47.16&deg; N</td>"));
        QVERIFY(html.contains("<td class=\"value0\">Spring 2000, C-Band</td>"));
        QCOMPARE(html.count("<tr class=\"i0\">"), 3);
        QCOMPARE(html.count("<tr class=\"i1\">"), 2);
        // The calendar: UTF-8 with CR LF, one event a table row, named after satellite and site.
        path = dir.filePath(QStringLiteral("outage.ics"));
        window.ExportCalendar()->trigger();
        QFile ics(path);
        QVERIFY(ics.open(QIODevice::ReadOnly));
        const QByteArray calendar = ics.readAll();
        QVERIFY(calendar.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"));
        QCOMPARE(calendar.count("BEGIN:VEVENT"), 5);
        QVERIFY2(calendar.contains("SUMMARY:Sun outage: Astra 1C\\, 19.2\xc2\xb0 E from 47.16"),
                 calendar.constData());
    }

    // The list of sites is predicted aside and written as one file; Cancel writes nothing.
    // The C/N model adds the peak loss and says in the window and the reports what it counts;
    // the local-time column it brings along stays hidden and out of the CSV without a zone. Back
    // on the 3 dB rule the table is the rule's again.
    void carrierToNoiseModel() {
        QTemporaryDir dir;
        Set(true, false, 0.9);
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, QStringLiteral("2026"));
        window.SetSatellite(Satellite(-19.2));
        const auto ruleRows = window.Prediction().Rows.size();
        window.rbCarrierToNoise->click();
        Retype(window.edMargin, QStringLiteral("2"));
        QVERIFY(settings.carrierToNoise());
        QCOMPARE(settings.linkMargin(), 2.0);
        QVERIFY(window.Prediction().Rows.size() > ruleRows);
        QVERIFY(window.GridView1->isColumnHidden(OutageTableModel::LocalTime));
        QString path = dir.filePath(QStringLiteral("cn.csv"));
        DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });
        window.ExporttoCSV1->trigger();
        const QStringList csv = FileLines(path);
        // Read as Latin-1, like the other reports here.
        QVERIFY2(csv.contains(QString::fromLatin1(window.ModelNote().toUtf8())),
                 qPrintable(csv.join('\n')));
        QVERIFY(window.ModelNote().contains(QStringLiteral("18670 K")));
        QVERIFY(csv.contains(
            QStringLiteral("Predicted Date;Start (GMT);End (GMT);Duration;Peak C/N loss (dB)")));
        Retype(window.edMargin, QStringLiteral("40"));
        QVERIFY(window.Prediction().Rows.empty());
        QVERIFY(window.ModelNote().contains(QStringLiteral("no outage")));
        window.rbRule3dB->click();
        QCOMPARE(window.Prediction().Rows.size(), ruleRows);
        QCOMPARE(window.GridView1->model()->columnCount(), int(OutageTableModel::LocalTime));
    }

    // The file's name says what is written: a CSV table, an HTML page or one calendar.
    void exportForAListOfSites_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("szombathely"); // a line or event of that site
        QTest::newRow("to the end") << false << "all.csv"
                                    << "Szombathely;47.16;16.16;";
        QTest::newRow("cancelled") << true << "all.csv"
                                   << "";
        QTest::newRow("HTML") << false << "all.html"
                              << "<td>Szombathely</td><td>47.16</td>";
        QTest::newRow("calendar") << false << "all.ics"
                                  << "from Szombathely";
    }
    void exportForAListOfSites() {
        QFETCH(bool, cancel);
        QFETCH(QString, name);
        QFETCH(QString, szombathely);
        QTemporaryDir dir;
        const QString list = dir.filePath(QStringLiteral("sites.csv"));
        const QString out = dir.filePath(name);
        QFile file(list);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Szombathely;47.16;16.16\nBelfast;54.597 N;5.93 W\n");
        file.close();
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, QStringLiteral("2000"));
        window.SetSatellite(Satellite(-19.2));
        DialogSeam::setOpenFileHook([&](const QString&, const QString&) { return list; });
        DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return out; });
        DialogSeam::setProgressHook([cancel](QProgressDialog& progress) {
            if (cancel)
                emit progress.canceled(); // as its Cancel button does
        });
        window.ExportForSites()->trigger();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(QFile::exists(out), !cancel);
        if (cancel)
            return;
        // Calendar lines are folded: a line led by a space continues the one before.
        const QStringList lines =
            FileLines(out).join(QLatin1Char('\n')).remove(QStringLiteral("\n ")).split('\n');
        const QStringList first = lines.filter(szombathely);
        QCOMPARE(first.size(), 5);
        if (name.endsWith(QLatin1String(".ics"))) {
            QVERIFY(lines.filter(QStringLiteral("from Belfast")).size() > 0);
            QCOMPARE(lines.filter(QStringLiteral("BEGIN:VCALENDAR")).size(), 1);
            return;
        }
        if (name.endsWith(QLatin1String(".csv")))
            QCOMPARE(lines.first(),
                     QStringLiteral(
                         "Site;Latitude;Longitude;Predicted Date;Start (GMT);End (GMT);Duration"));
        QVERIFY(lines.filter(QStringLiteral("Belfast")).size() > 0);
    }

    void exportsMatchTheGoldenFiles_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("year");
        QTest::addColumn<bool>("spring");
        QTest::addColumn<bool>("cband");
        QTest::addColumn<double>("diameter"); // metres
        QTest::addColumn<int>("sortColumn");  // -1: as computed
        QTest::addColumn<QString>("golden");
        QTest::newRow("spring 2000, C band, 3.6 m")
            << QLocale::c() << "2000" << true << true << 3.6 << -1 << "outage_spring2000";
        QTest::newRow("fall 2025, Ku band, 0.8 m, German, by duration")
            << QLocale(QLocale::German, QLocale::Germany) << "2025" << false << false << 0.8 << 3
            << "outage_fall2025_de";
    }
    void exportsMatchTheGoldenFiles() {
        QFETCH(QLocale, locale);
        QFETCH(QString, year);
        QFETCH(bool, spring);
        QFETCH(bool, cband);
        QFETCH(double, diameter);
        QFETCH(int, sortColumn);
        QFETCH(QString, golden);
        QLocale::setDefault(locale);
        Set(spring, cband, diameter);
        QTemporaryDir dir;
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, year);
        window.SetSatellite(Satellite(-19.2, QStringLiteral("Astra <1C> & 1E")));
        if (sortColumn >= 0)
            window.GridView1->sortRows(sortColumn, Qt::DescendingOrder);
        QString path;
        DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });
        path = dir.filePath(golden + QStringLiteral(".csv"));
        window.ExporttoCSV1->trigger();
        CompareWithGolden(path, golden + QStringLiteral(".csv"));
        path = dir.filePath(golden + QStringLiteral(".html"));
        window.ExporttoHTML1->trigger();
        CompareWithGolden(path, golden + QStringLiteral(".html"));
    }

    void failedExportTellsFileAndReason_data() {
        QTest::addColumn<bool>("html");
        QTest::newRow("HTML") << true;
        QTest::newRow("CSV") << false;
    }
    void failedExportTellsFileAndReason() {
        QFETCH(bool, html);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/outage.txt"));
        DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });
        QStringList messages;
        DialogSeam::setMessageHook(
            [&](QMessageBox::Icon, const QString&, const QString& text) { messages << text; });
        TfrmSunOutage window(nullptr, Link());
        window.SetSatellite(Satellite(-19.2));
        (html ? window.ExporttoHTML1 : window.ExporttoCSV1)->trigger();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QDir::toNativeSeparators(path)), qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(QStringLiteral("No such file or directory")),
                 qPrintable(messages[0]));
    }

    // The main window moving on after the window was opened changes nothing in its report.
    void reportKeepsTheSiteOfItsRecord() {
        QTemporaryDir dir;
        site.facts.townName = QStringLiteral("Szombathely");
        site.captions.city = QStringLiteral("City:");
        site.facts.declinationTicked = true;
        site.captions.declination = QStringLiteral("Magnetic declination:");
        site.facts.declinationText = QStringLiteral("4.52° E");
        TfrmSunOutage window(nullptr, Link());
        Retype(window.edYear, QStringLiteral("2000"));
        window.SetSatellite(Satellite(-19.2));
        site.facts.longitudeText = QStringLiteral("3");
        site.facts.longitudeWest = true;
        site.facts.townName = QStringLiteral("Graz");
        site.facts.declinationText = QStringLiteral("9.99° W");
        const QString path = dir.filePath(QStringLiteral("outage.html"));
        DialogSeam::setSaveFileHook([&](const SaveDialogRequest&) { return path; });
        window.ExporttoHTML1->trigger();
        const QStringList lines = FileLines(path);
        const qsizetype start = lines.indexOf(QStringLiteral("<table>"));
        QCOMPARE(lines.mid(start + 1, 4),
                 QStringList({"<tr><td class=\"info0\">Latitude:</td><td "
                              "class=\"value0\">47.16&deg; N</td></tr>",
                              "<tr><td class=\"info0\">Longitude:</td><td "
                              "class=\"value0\">16.16&deg; E</td></tr>",
                              "<tr><td class=\"info0\">City:</td><td "
                              "class=\"value0\">Szombathely</td></tr>",
                              "<tr><td class=\"info0\">Magnetic declination:</td><td "
                              "class=\"value0\">4.52° E</td></tr>"}));
    }

    // A language file reaches only the properties its entries name.
    void everyTranslationEntryNamesAProperty() {
        TfrmSunOutage window(nullptr, Link());
        for (const TranslationEntry& entry : TfrmSunOutage::Translation().entries) {
            // The calendar's and the site list's texts are looked up when used; no control has
            // them.
            if (qstrcmp(entry.objectName, "CalendarTexts") == 0 ||
                qstrcmp(entry.objectName, "SitesTexts") == 0 ||
                qstrcmp(entry.objectName, "ModelTexts") == 0)
                continue;
            QObject* object = FindComponent(&window, QString::fromUtf8(entry.objectName));
            const auto text =
                object ? ReadTranslatableProperty(object, entry.property, object == &window)
                       : std::nullopt;
            QVERIFY2(text == QString::fromUtf8(entry.english), entry.objectName);
        }
    }

    void closeOnlyHides() {
        QWidget owner;
        QPointer<TfrmSunOutage> window = new TfrmSunOutage(&owner, Link());
        window->show();
        window->Close1->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window && window->isHidden());
    }
};

QTEST_MAIN(TestSunOutageWindow)
#include "tst_sunoutagewindow.moc"
