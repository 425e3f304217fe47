#include "GridView.h"
#include "SatelliteList.h"
#include "SatelliteTableModel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLocale>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTest>

#include <memory>

using namespace skyvane;

namespace {

SatelliteRecord Record(const QString& name, double position, double azimuth, double elevation,
                       double skew) {
    auto record = std::make_shared<TSatelliteData>();
    record->Name = name;
    record->Position = position;
    record->Azimuth = azimuth;
    record->Elevation = elevation;
    record->Skew = skew;
    return record;
}

// The list's columns over `records`, in a model the grid owns.
void Show(GridView& grid, std::vector<SatelliteRecord> records) {
    auto* rows = new SatelliteTableModel(&grid);
    rows->setRecords(std::move(records));
    grid.setSourceModel(rows);
    AddSatelliteListColumns(grid);
}

// Rows named after their satellites so that every test can see where a row went.
void ShowSample(GridView& grid) {
    Show(grid, {Record(QStringLiteral("Hot Bird"), -13.0, 9.25, 35.10, -2.00),
                Record(QStringLiteral("Galaxy"), 100.0, 100.50, 1.00, 40.00),
                Record(QStringLiteral("Astra"), -19.2, -3.00, 34.00, 0.50),
                Record(QStringLiteral("atlantic"), 5.0, 200.00, 30.00, 10.00)});
}

QStringList ColumnTexts(const GridView& grid, int column) {
    QStringList texts;
    for (int row = 0; row < grid.gridRowCount(); ++row)
        texts << grid.cellText(row, column);
    return texts;
}

// Cells as the style draws them, with what the grid adds: the column's text-after, the
// colouring hook's background and a text colour readable on it, the highlight of a selection.
class StyleDrawnCells : public QStyledItemDelegate {
public:
    explicit StyleDrawnCells(GridView* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text += m_grid->column(index.column())->textAfter();
        if (option->state & QStyle::State_Selected) {
            option->backgroundBrush = option->palette.brush(QPalette::Active, QPalette::Highlight);
            return;
        }
        option->backgroundBrush = m_grid->cellBackground(index.row(), index.column());
        option->palette.setColor(QPalette::Text,
                                 m_grid->cellTextColour(index.row(), index.column()));
        // A row the skyline hides is greyed.
        if (index.data(kBlockedRole).toBool())
            option->palette.setColor(QPalette::Text, QColor(128, 128, 128));
    }

private:
    GridView* m_grid;
};

// What can change the texts a grid has drawn before, as the main window brings it about.
void ChangeShownGrid(GridView& grid, const QString& change) {
    auto* rows = static_cast<SatelliteTableModel*>(
        static_cast<QSortFilterProxyModel*>(grid.model())->sourceModel());
    if (change == QLatin1String("row selected")) {
        grid.selectGridRow(1);
    } else if (change == QLatin1String("name column narrowed")) {
        grid.setColumnWidth(SatelliteTableModel::Name, 40);
    } else if (change == QLatin1String("language switched")) {
        grid.column(SatelliteTableModel::Azimuth)->setTextAfter(QStringLiteral(" Grad"));
    } else if (change == QLatin1String("decimal comma, Calc again")) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        rows->setRecords(rows->records());
    } else if (change == QLatin1String("larger font")) {
        QFont font = grid.font();
        font.setPointSize(font.pointSize() + 6);
        grid.setFont(font);
    } else if (change == QLatin1String("skyline hides a row")) {
        rows->setHorizon(HorizonMask({{0.0, 20.0}}), 0.0);
    } else if (change == QLatin1String("sorted")) {
        grid.sortRows(SatelliteTableModel::Name, Qt::DescendingOrder);
    }
}

} // namespace

class TestGridView : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void sortsOnTheModelsValues_data();
    void sortsOnTheModelsValues();
    void headerClicksToggleTheOrder();
    void namesSortWithNumbersAsNumbers();
    void newRowsKeepTheChosenOrder();
    void copiesTheSelectedRowAsShown();
    void recordsStayWithTheirRowsWhenSorted();

    void coloursFollowTheDisplayedOrder();
    void paintsTheColouringAndTheSelection();
    void drawsTheTextAfterTheCellText();
    void drawsCellsAsTheStyleDoes_data();
    void drawsCellsAsTheStyleDoes();
    void columnsShowTheirWholeTexts_data();
    void columnsShowTheirWholeTexts();
    void columnsFollowTheTextsOfNewRows_data();
    void columnsFollowTheTextsOfNewRows();

    void cellAtPoint_data();
    void cellAtPoint();
    void headerPointHasNoCell();
    void scrollsARowToTheTop();
    void selectsARow();

    void columnsAreNamedObjectsWithTranslatableProperties();
    void updatesAreSuspendedUntilTheOutermostEnd();
    void reportsKeyboardContextMenus();
};

void TestGridView::sortsOnTheModelsValues_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("position signed, east to west")
        << 0 << int(Qt::AscendingOrder) << QStringList{"Astra", "Hot Bird", "atlantic", "Galaxy"};
    QTest::newRow("name as text, case ignored")
        << 1 << int(Qt::AscendingOrder) << QStringList{"Astra", "atlantic", "Galaxy", "Hot Bird"};
    QTest::newRow("azimuth as numbers, not texts")
        << 2 << int(Qt::AscendingOrder) << QStringList{"Astra", "Hot Bird", "Galaxy", "atlantic"};
    QTest::newRow("elevation as numbers, descending")
        << 3 << int(Qt::DescendingOrder) << QStringList{"Hot Bird", "Astra", "atlantic", "Galaxy"};
    QTest::newRow("skew with a negative value")
        << 4 << int(Qt::AscendingOrder) << QStringList{"Hot Bird", "Astra", "atlantic", "Galaxy"};
}

void TestGridView::sortsOnTheModelsValues() {
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QStringList, names);
    GridView grid;
    ShowSample(grid);

    grid.sortRows(column, Qt::SortOrder(order));

    QCOMPARE(ColumnTexts(grid, 1), names);
}

void TestGridView::headerClicksToggleTheOrder() {
    GridView grid;
    ShowSample(grid);
    grid.resize(700, 300);
    grid.show();
    QHeaderView* header = grid.horizontalHeader();
    const QPoint azimuthHeader(header->sectionViewportPosition(2) + 5, header->height() / 2);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, azimuthHeader);
    QCOMPARE(ColumnTexts(grid, 2), (QStringList{"-3.00", "9.25", "100.50", "200.00"}));

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, azimuthHeader);
    QCOMPARE(ColumnTexts(grid, 2), (QStringList{"200.00", "100.50", "9.25", "-3.00"}));
}

void TestGridView::namesSortWithNumbersAsNumbers() {
    GridView grid;
    Show(grid, {Record(QStringLiteral("Intelsat 10-02"), 1, 0, 0, 0),
                Record(QStringLiteral("Amos 17"), 2, 0, 0, 0),
                Record(QStringLiteral("intelsat 9"), 3, 0, 0, 0),
                Record(QStringLiteral("Amos 4"), 4, 0, 0, 0)});

    grid.sortRows(1, Qt::AscendingOrder);

    QCOMPARE(ColumnTexts(grid, 1),
             (QStringList{"Amos 4", "Amos 17", "intelsat 9", "Intelsat 10-02"}));
}

void TestGridView::newRowsKeepTheChosenOrder() {
    GridView grid;
    ShowSample(grid);
    grid.sortRows(3, Qt::DescendingOrder);
    auto* rows = static_cast<SatelliteTableModel*>(
        static_cast<QSortFilterProxyModel*>(grid.model())->sourceModel());

    rows->setRecords({Record(QStringLiteral("low"), 1, 0, 5, 0),
                      Record(QStringLiteral("high"), 2, 0, 50, 0),
                      Record(QStringLiteral("middle"), 3, 0, 20, 0)});

    QCOMPARE(ColumnTexts(grid, 1), (QStringList{"high", "middle", "low"}));
    QCOMPARE(grid.horizontalHeader()->sortIndicatorSection(), 3);
}

void TestGridView::copiesTheSelectedRowAsShown() {
    GridView grid;
    ShowSample(grid);
    grid.setColumnHidden(3, true);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.selectGridRow(2);
    QGuiApplication::clipboard()->clear();

    QTest::keySequence(&grid, QKeySequence::Copy);

    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("19.2\u00b0 E\tAstra\t-3.00\u00b0\t0.50\u00b0\n"));
}

void TestGridView::recordsStayWithTheirRowsWhenSorted() {
    GridView grid;
    ShowSample(grid);

    grid.sortRows(2, Qt::DescendingOrder);

    for (int row = 0; row < grid.gridRowCount(); ++row) {
        const SatelliteRecord record = grid.rowRecord(row);
        QVERIFY2(record, qPrintable(QStringLiteral("row %1 lost its record").arg(row)));
        QCOMPARE(record->Name, grid.cellText(row, 1));
    }
    QVERIFY(!grid.rowRecord(grid.gridRowCount()));
}

void TestGridView::coloursFollowTheDisplayedOrder() {
    GridView grid;
    ShowSample(grid);
    grid.setCellColoring(
        [&grid](int row, int) { return GridView::AlternateRowBrush(row, grid.palette()); });
    const QColor odd = grid.palette().color(QPalette::Active, QPalette::ToolTipBase);

    grid.sortRows(1, Qt::DescendingOrder);

    for (int row = 0; row < grid.gridRowCount(); ++row)
        for (int column = 0; column < grid.gridColumnCount(); ++column)
            QCOMPARE(grid.cellBackground(row, column).color(),
                     row % 2 == 0 ? QColor(Qt::white) : odd);
}

void TestGridView::paintsTheColouringAndTheSelection() {
    GridView grid;
    ShowSample(grid);
    const QColor odd(255, 255, 225);
    grid.setCellColoring([odd](int row, int) { return row % 2 ? QBrush(odd) : QBrush(Qt::white); });
    grid.resize(700, 300);
    grid.selectGridRow(2);

    const QImage picture = grid.viewport()->grab().toImage();
    // A point of the name column far right of its left-aligned text.
    const auto pixel = [&](int row) {
        const QRect cell = grid.visualRect(grid.model()->index(row, 1));
        return picture.pixelColor(cell.right() - 3, cell.center().y());
    };

    QCOMPARE(pixel(0), QColor(Qt::white));
    QCOMPARE(pixel(1), odd);
    QCOMPARE(pixel(2), grid.palette().color(QPalette::Active, QPalette::Highlight));
    QCOMPARE(pixel(3), odd);
}

void TestGridView::drawsTheTextAfterTheCellText() {
    GridView grid;
    ShowSample(grid);

    QCOMPARE(grid.cellText(0, 2), QStringLiteral("9.25"));
    QCOMPARE(grid.displayText(0, 2), QStringLiteral("9.25°"));
    QCOMPARE(grid.displayText(0, 0), QStringLiteral("13.0° E"));
}

void TestGridView::drawsCellsAsTheStyleDoes_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("first paint") << QString();
    for (const char* change :
         {"row selected", "name column narrowed", "language switched", "decimal comma, Calc again",
          "larger font", "skyline hides a row", "sorted"})
        QTest::newRow(change) << QString::fromLatin1(change);
}

// The grid keeps the texts it has laid out and fills its grid lines itself; after a change the
// cells and lines must still be what the style and the view would draw now.
void TestGridView::drawsCellsAsTheStyleDoes() {
    QFETCH(QString, change);
    GridView grid;
    ShowSample(grid);
    grid.setCellColoring(
        [&grid](int row, int) { return GridView::AlternateRowBrush(row, grid.palette()); });
    grid.resize(700, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCoreApplication::processEvents();
    const QImage before = grid.viewport()->grab().toImage();

    ChangeShownGrid(grid, change);
    QCoreApplication::processEvents();
    const QImage cached = grid.viewport()->grab().toImage();
    StyleDrawnCells style(&grid);
    grid.setItemDelegate(&style);
    grid.setGridStyle(Qt::SolidLine); // the view's own grid lines
    const QImage drawnByStyle = grid.viewport()->grab().toImage();

    QCOMPARE(cached, drawnByStyle);
    if (!change.isEmpty())
        QVERIFY2(cached != before, "the change did not show");
}

void TestGridView::columnsShowTheirWholeTexts_data() {
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<QString>("skewCaption");
    QTest::newRow("default font") << 0 << QStringLiteral("Skew");
    QTest::newRow("18 pt, long caption") << 18 << QStringLiteral("LNB-elforgatás");
}

void TestGridView::columnsShowTheirWholeTexts() {
    QFETCH(int, pointSize);
    QFETCH(QString, skewCaption);
    GridView grid;
    if (pointSize > 0) {
        QFont font = grid.font();
        font.setPointSize(pointSize);
        grid.setFont(font);
    }
    ShowSample(grid);
    QList<int> declared;
    for (int c = 0; c < grid.gridColumnCount(); ++c)
        declared << grid.columnWidth(c);
    grid.column(4)->header()->setCaption(skewCaption);
    QCoreApplication::processEvents();

    const QFontMetrics metrics(grid.font());
    for (int c = 0; c < grid.model()->columnCount(); ++c) {
        QVERIFY2(grid.columnWidth(c) >= declared[c], qPrintable(QString::number(c)));
        const int caption =
            grid.horizontalHeader()->fontMetrics().horizontalAdvance(grid.column(c)->caption());
        QVERIFY2(grid.columnWidth(c) > caption, qPrintable(grid.column(c)->caption()));
        for (int row = 0; row < grid.gridRowCount(); ++row) {
            const QString text = grid.displayText(row, c);
            QVERIFY2(grid.columnWidth(c) > metrics.horizontalAdvance(text), qPrintable(text));
        }
    }
}

void TestGridView::columnsFollowTheTextsOfNewRows_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("narrowedByUser");
    QTest::newRow("a wider name") << QStringLiteral("Hot Bird 13B, 13C, 13E and Eutelsat 13G")
                                  << false;
    QTest::newRow("the same texts after the user narrowed the column")
        << QStringLiteral("Hot Bird") << true;
    QTest::newRow("a narrower name keeps the width") << QStringLiteral("HB") << false;
}

void TestGridView::columnsFollowTheTextsOfNewRows() {
    QFETCH(QString, name);
    QFETCH(bool, narrowedByUser);
    GridView grid;
    ShowSample(grid);
    QCoreApplication::processEvents();
    const int fitted = grid.columnWidth(SatelliteTableModel::Name);
    if (narrowedByUser)
        grid.setColumnWidth(SatelliteTableModel::Name, 10);

    auto* rows = qobject_cast<SatelliteTableModel*>(
        static_cast<QSortFilterProxyModel*>(grid.model())->sourceModel());
    QVERIFY(rows);
    rows->setRecords({Record(name, -13.0, 9.25, 35.10, -2.00)});
    QCoreApplication::processEvents();

    const int text = grid.fontMetrics().horizontalAdvance(grid.displayText(0, 1));
    QVERIFY2(grid.columnWidth(SatelliteTableModel::Name) > text, qPrintable(name));
    QVERIFY(grid.columnWidth(SatelliteTableModel::Name) >= fitted);
}

void TestGridView::cellAtPoint_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QPoint>("offset"); // from the centre of the cell (row, column)
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<int>("expectedColumn");

    QTest::newRow("first cell") << 0 << 0 << QPoint() << 0 << 0;
    QTest::newRow("last row, skew") << 3 << 4 << QPoint() << 3 << 4;
    QTest::newRow("below the last row") << 3 << 1 << QPoint(0, 100) << -1 << -1;
    QTest::newRow("right of the last column") << 1 << 4 << QPoint(300, 0) << -1 << -1;
}

void TestGridView::cellAtPoint() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QPoint, offset);
    QFETCH(int, expectedRow);
    QFETCH(int, expectedColumn);
    GridView grid;
    ShowSample(grid);
    grid.resize(900, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QPoint point = grid.visualRect(grid.model()->index(row, column)).center() + offset;

    const GridView::Cell atViewport = grid.cellAtViewportPoint(point);
    const GridView::Cell atScreen = grid.cellAtGlobalPoint(grid.viewport()->mapToGlobal(point));

    QCOMPARE(atViewport.row, expectedRow);
    QCOMPARE(atViewport.column, expectedColumn);
    QCOMPARE(atScreen.row, expectedRow);
    QCOMPARE(atScreen.column, expectedColumn);
}

void TestGridView::headerPointHasNoCell() {
    GridView grid;
    ShowSample(grid);
    grid.resize(700, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QHeaderView* header = grid.horizontalHeader();

    const QPoint overHeader = header->mapToGlobal(QPoint(20, header->height() / 2));
    const GridView::Cell cell = grid.cellAtGlobalPoint(overHeader);

    QCOMPARE(cell.row, -1);
    QCOMPARE(cell.column, -1);
}

void TestGridView::scrollsARowToTheTop() {
    GridView grid;
    std::vector<SatelliteRecord> records;
    for (int i = 0; i < 100; ++i)
        records.push_back(Record(QStringLiteral("sat %1").arg(i), i, 0.0, 0.0, 0.0));
    Show(grid, std::move(records));
    grid.resize(600, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.topVisibleRow(), 0);

    grid.scrollRowToTop(50);

    QCOMPARE(grid.topVisibleRow(), 50);
}

void TestGridView::selectsARow() {
    GridView grid;
    ShowSample(grid);
    QCOMPARE(grid.selectedRow(), -1);

    grid.selectGridRow(2);
    QCOMPARE(grid.selectedRow(), 2);

    grid.selectGridRow(7); // no such row: the selection stays
    QCOMPARE(grid.selectedRow(), 2);
    QVERIFY(grid.rowGlobalRect(2).isValid());
    QVERIFY(!grid.rowGlobalRect(7).isValid());
}

void TestGridView::columnsAreNamedObjectsWithTranslatableProperties() {
    GridView grid;
    ShowSample(grid);

    QObject* azimuth = grid.findChild<QObject*>(QStringLiteral("colAzimuth"));
    QVERIFY(azimuth);
    QObject* header = azimuth->property("Header").value<QObject*>();
    QVERIFY(header);
    QCOMPARE(azimuth->findChild<QObject*>(QStringLiteral("Header")), header);

    QVERIFY(header->setProperty("Caption", QStringLiteral("Azimut")));
    QVERIFY(azimuth->setProperty("TextAfter", QStringLiteral(" deg")));

    QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Azimut"));
    QCOMPARE(grid.displayText(0, 2), QStringLiteral("9.25 deg"));
}

void TestGridView::updatesAreSuspendedUntilTheOutermostEnd() {
    GridView grid;
    grid.beginUpdate();
    grid.beginUpdate();
    QVERIFY(!grid.updatesEnabled());
    grid.endUpdate();
    QVERIFY(!grid.updatesEnabled());
    grid.endUpdate();
    QVERIFY(grid.updatesEnabled());
    grid.endUpdate(); // an unmatched end changes nothing
    QVERIFY(grid.updatesEnabled());
    QVERIFY(!grid.isUpdating());
}

void TestGridView::reportsKeyboardContextMenus() {
    GridView grid;
    QSignalSpy spy(&grid, &GridView::contextPopup);
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(3, 4), QPoint(30, 40));
    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(5, 6), QPoint(50, 60));

    // As the platform delivers them: a key to the grid, a mouse click to its viewport.
    QApplication::sendEvent(&grid, &byKey);
    QApplication::sendEvent(grid.viewport(), &byMouse);

    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(1).toBool(), true);
    QCOMPARE(spy.at(1).at(0).toPoint(), QPoint(50, 60));
    QCOMPARE(spy.at(1).at(1).toBool(), false);
    QVERIFY(byKey.isAccepted());
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
