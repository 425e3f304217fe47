#include "GridView.h"
#include "HeadingBand.h"
#include "HelpBinding.h"
#include "ReadableColours.h"
#include "SettingsStore.h"
#include "Unit1.h"
#include "fObstacles.h"

#include <QApplication>
#include <QLabel>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTextTable>

using namespace skyvane;

namespace {

// A dark desktop theme: light text on dark backgrounds, tooltips included.
QPalette DarkPalette() {
    QPalette palette;
    const QColor light(0xfc, 0xfc, 0xfc);
    for (const auto& [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, QColor(0x2a, 0x2e, 0x32)},
             {QPalette::WindowText, light},
             {QPalette::Base, QColor(0x1b, 0x1e, 0x20)},
             {QPalette::AlternateBase, QColor(0x23, 0x26, 0x29)},
             {QPalette::Text, light},
             {QPalette::Button, QColor(0x31, 0x36, 0x3b)},
             {QPalette::ButtonText, light},
             {QPalette::ToolTipBase, QColor(0x31, 0x36, 0x3b)},
             {QPalette::ToolTipText, light},
             {QPalette::Highlight, QColor(0x3d, 0xae, 0xe9)},
             {QPalette::HighlightedText, light}})
        palette.setColor(role, colour);
    return palette;
}

// The colour of a painted area that differs most from its background: the text's colour.
QColor StrongestAgainst(const QImage& area, const QColor& background) {
    QColor strongest = background;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (const QColor pixel = area.pixelColor(x, y);
                ContrastRatio(pixel, background) > ContrastRatio(strongest, background))
                strongest = pixel;
    return strongest;
}

QColor MeanColour(const QImage& image) {
    return QColor::fromRgb(
        image.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
}

constexpr double kReadable = 4.5;

QTextBrowser* HelpViewer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("helpViewer") && w->isVisible())
            return qobject_cast<QTextBrowser*>(w);
    return nullptr;
}

QColor BrushOr(const QBrush& brush, const QColor& otherwise) {
    return brush.style() == Qt::NoBrush ? otherwise : brush.color();
}

// The first run of text on a page whose colour does not read on what lies behind it: the
// paragraph's, table cell's or frame's background, else the page's. Empty when all read.
QString UnreadableText(const QTextBrowser& viewer) {
    const QColor page = BrushOr(viewer.document()->rootFrame()->frameFormat().background(),
                                viewer.palette().color(QPalette::Base));
    const QColor plain = viewer.palette().color(QPalette::Text);
    for (QTextBlock block = viewer.document()->begin(); block.isValid(); block = block.next()) {
        QColor behind = page;
        if (QTextTable* table = QTextCursor(block).currentTable())
            behind = BrushOr(table->cellAt(block.position()).format().background(), behind);
        behind = BrushOr(block.blockFormat().background(), behind);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment part = it.fragment();
            const QColor back = BrushOr(part.charFormat().background(), behind);
            const QColor text = BrushOr(part.charFormat().foreground(), plain);
            if (!part.text().trimmed().isEmpty() && ContrastRatio(text, back) < kReadable)
                return QStringLiteral("\"%1\": %2 on %3")
                    .arg(part.text().left(40), text.name(), back.name());
        }
    }
    return {};
}

} // namespace

class TestDarkPalette : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setPalette(DarkPalette()); }

    void gridRowIsReadable_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("even row, painted white") << 0;
        QTest::newRow("odd row, tooltip colour") << 1;
    }

    // The row as painted: its background and the text drawn on it.
    void gridRowIsReadable() {
        QFETCH(int, row);
        GridView grid;
        GridColumnSpec column;
        column.objectName = QStringLiteral("colName");
        column.width = 200;
        grid.addColumn(column);
        grid.setCellColoring(
            [&grid](int at, int) { return GridView::AlternateRowBrush(at, grid.palette()); });
        QStringListModel rows({QStringLiteral("WWWWMMMM"), QStringLiteral("WWWWMMMM")});
        grid.setSourceModel(&rows);
        grid.clearSelection();
        grid.setCurrentIndex(QModelIndex());
        grid.resize(260, 120);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        const QImage painted =
            grid.viewport()->grab(grid.visualRect(grid.model()->index(row, 0))).toImage();
        const QColor background = grid.cellBackground(row, 0).color();
        const QColor text = StrongestAgainst(painted, background);
        QVERIFY2(ContrastRatio(text, background) >= kReadable,
                 qPrintable(QStringLiteral("text %1 on %2").arg(text.name(), background.name())));
    }

    // Below the last row the main list shows its viewport's ground, which must be the dark one.
    void mainListEmptyAreaIsDark() {
        QTemporaryDir dir;
        const QString start = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        DialogSeam::setMessageHook([](QMessageBox::Icon, const QString&, const QString&) {});
        TfrmMain::SetDeclinationLibraryName(dir.filePath(QStringLiteral("libgeomag_absent.so")));
        {
            TfrmMain window(std::make_unique<SettingsStore>(dir.filePath("settings.ini")));
            QWidget* ground = window.GridView1->viewport();
            const QColor shown = ground->palette().color(ground->backgroundRole());
            QCOMPARE(shown, DarkPalette().color(QPalette::Base));
        }
        DialogSeam::clearHooks();
        QDir::setCurrent(start);
    }

    void helpPageIsReadable_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("topic");
        QTest::newRow("dark, list page with table and note") << true << 1;
        QTest::newRow("dark, credits with table heads") << true << 999;
        QTest::newRow("light, list page with table and note") << false << 1;
        QTest::newRow("light, credits with table heads") << false << 999;
    }

    // Every run of text on the page against its own background, as the help window shows it.
    void helpPageIsReadable() {
        QFETCH(bool, dark);
        QFETCH(int, topic);
        const QPalette light = QApplication::style()->standardPalette();
        QApplication::setPalette(dark ? DarkPalette() : light);
        const std::unique_ptr<HelpBinding> help(HelpBinding::Create(QStringLiteral(HELP_FILE)));
        QVERIFY(help);
        QVERIFY(help->ShowTopic(HelpContext(topic)));
        auto* viewer = HelpViewer();
        QVERIFY(viewer);
        const QString unreadable = UnreadableText(*viewer);
        QApplication::setPalette(DarkPalette());
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable));
    }

    // An open help window follows a change of theme.
    void helpFollowsThemeChange() {
        QApplication::setPalette(QApplication::style()->standardPalette());
        const std::unique_ptr<HelpBinding> help(HelpBinding::Create(QStringLiteral(HELP_FILE)));
        QVERIFY(help);
        QVERIFY(help->ShowTopic(HelpContext::Main));
        auto* viewer = HelpViewer();
        QVERIFY(viewer);
        QApplication::setPalette(DarkPalette());
        // The theme change reaches the window through its event queue.
        QTRY_COMPARE(viewer->palette().color(QPalette::Base), DarkPalette().color(QPalette::Base));
        const QString unreadable = UnreadableText(*viewer);
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable));
    }

    // The obstacle calculator's question box stays white: its checked button must show.
    void checkedRadioOnWhiteBoxIsReadable() {
        TfrmObstacles window(nullptr, {});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QRadioButton* radio = window.rbDistance;
        QVERIFY(radio->isChecked());
        QStyleOptionButton option;
        option.initFrom(radio);
        const QRect indicator =
            radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
        const QImage painted = radio->grab(indicator).toImage();
        const QColor dot = painted.pixelColor(painted.width() / 2, painted.height() / 2);
        const QColor box = radio->palette().color(QPalette::Base);
        QVERIFY2(ContrastRatio(dot, box) >= kReadable,
                 qPrintable(QStringLiteral("mark %1 on %2").arg(dot.name(), box.name())));
    }

    // The heading stands on its light picture under every theme.
    void headingIsReadable() {
        HeadingBand band;
        band.setHeadingText(QStringLiteral("Sun Outage"));
        const QColor text = band.heading()->palette().color(QPalette::WindowText);
        const QColor picture = MeanColour(HeadingBand::HeadingPicture().toImage());
        QVERIFY2(ContrastRatio(text, picture) >= kReadable,
                 qPrintable(QStringLiteral("text %1 on %2").arg(text.name(), picture.name())));
    }
};

QTEST_MAIN(TestDarkPalette)
#include "tst_darkpalette.moc"
