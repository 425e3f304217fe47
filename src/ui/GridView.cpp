#include "GridView.h"

#include <QContextMenuEvent>
#include <QDate>
#include <QHeaderView>
#include <QLocale>
#include <QStyledItemDelegate>

namespace skyvane {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;
constexpr int kSortKeyRole = Qt::UserRole + 2;

std::optional<double> NumberOfText(const QString& text) {
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QDate> DateOfText(const QString& text) {
    const QDate date = QLocale().toDate(text.trimmed(), QLocale::ShortFormat);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// Values that do not convert sort before every value, and among themselves as texts.
template <typename Convert>
bool ConvertedLess(const QString& mine, const QString& theirs, Convert convert) {
    const auto a = convert(mine);
    const auto b = convert(theirs);
    if (a && b)
        return *a < *b;
    if (a || b)
        return !a;
    return QString::compare(mine, theirs, Qt::CaseInsensitive) < 0;
}

// A cell that orders itself by its column's sort mode.
class GridItem : public QTableWidgetItem {
public:
    explicit GridItem(const QString& text)
        : QTableWidgetItem(text) {}

    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant myKey = data(kSortKeyRole);
        const QVariant theirKey = other.data(kSortKeyRole);
        if (myKey.isValid() && theirKey.isValid())
            return myKey.toDouble() < theirKey.toDouble();
        const auto* grid = qobject_cast<const GridView*>(tableWidget());
        const GridColumn* owner = grid ? grid->column(column()) : nullptr;
        switch (owner ? owner->sortMode() : GridSortMode::Text) {
        case GridSortMode::Numeric:
            return ConvertedLess(text(), other.text(), NumberOfText);
        case GridSortMode::Date:
            return ConvertedLess(text(), other.text(), DateOfText);
        case GridSortMode::Text:
            break;
        }
        return QString::compare(text(), other.text(), Qt::CaseInsensitive) < 0;
    }
};

// Draws the column's text-after behind each cell text and the colouring hook's background.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(GridView* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (const GridColumn* owner = m_grid->column(index.column()))
            option->text += owner->textAfter();
        if (option->state & QStyle::State_Selected) {
            // Styles differ in whether they fill a selected cell; the grid always does.
            option->backgroundBrush = option->palette.brush(QPalette::Active, QPalette::Highlight);
            return;
        }
        const QBrush brush = m_grid->cellBackground(index.row(), index.column());
        if (brush.style() != Qt::NoBrush)
            option->backgroundBrush = brush;
    }

private:
    GridView* m_grid;
};

} // namespace

GridColumnHeader::GridColumnHeader(QObject* parent)
    : QObject(parent) {
    setObjectName(QStringLiteral("Header"));
}

void GridColumnHeader::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged();
}

GridColumn::GridColumn(const GridColumnSpec& declared, int index, QObject* parent)
    : QObject(parent)
    , m_index(index)
    , m_header(new GridColumnHeader(this))
    , m_textAfter(declared.textAfter)
    , m_alignment(declared.alignment)
    , m_sortMode(declared.sortMode) {
    setObjectName(declared.objectName);
    m_header->setCaption(declared.caption);
}

void GridColumn::setTextAfter(const QString& text) {
    if (text == m_textAfter)
        return;
    m_textAfter = text;
    emit textAfterChanged();
}

GridView::GridView(QWidget* parent)
    : QTableWidget(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(new GridDelegate(this));
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &GridView::onHeaderClicked);
}

GridColumn* GridView::addColumn(const GridColumnSpec& declared) {
    const int index = gridColumnCount();
    auto* added = new GridColumn(declared, index, this);
    m_columns.push_back(added);
    setColumnCount(index + 1);
    auto* headerItem = new QTableWidgetItem(declared.caption);
    headerItem->setTextAlignment(declared.alignment | Qt::AlignVCenter);
    setHorizontalHeaderItem(index, headerItem);
    if (declared.width >= 0)
        setColumnWidth(index, declared.width);
    connect(added->header(), &GridColumnHeader::captionChanged, this,
            [this, index] { updateHeaderCaption(index); });
    connect(added, &GridColumn::textAfterChanged, viewport(), qOverload<>(&QWidget::update));
    return added;
}

GridColumn* GridView::column(int index) const {
    if (index < 0 || index >= gridColumnCount())
        return nullptr;
    return m_columns[static_cast<size_t>(index)];
}

GridColumn* GridView::columnByName(const QString& objectName) const {
    for (GridColumn* each : m_columns)
        if (each->objectName() == objectName)
            return each;
    return nullptr;
}

QStringList GridView::headerCaptions() const {
    QStringList captions;
    for (const GridColumn* each : m_columns)
        captions << each->caption();
    return captions;
}

int GridView::addRow(const QStringList& texts, const QVariant& object) {
    const int row = rowCount();
    insertRow(row);
    for (int c = 0; c < gridColumnCount(); ++c) {
        auto* item = new GridItem(texts.value(c));
        item->setTextAlignment(column(c)->alignment() | Qt::AlignVCenter);
        if (c == 0)
            item->setData(kRecordRole, object);
        setItem(row, c, item);
    }
    return row;
}

void GridView::setCellSortKey(int row, int column, double key) {
    if (QTableWidgetItem* cell = item(row, column))
        cell->setData(kSortKeyRole, key);
}

int GridView::addRow(const QStringList& texts, const SatelliteRecord& record) {
    return addRow(texts, record ? QVariant::fromValue(record) : QVariant());
}

QString GridView::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

QString GridView::displayText(int row, int column) const {
    const GridColumn* owner = this->column(column);
    return cellText(row, column) + (owner ? owner->textAfter() : QString());
}

QStringList GridView::rowTexts(int row) const {
    QStringList texts;
    for (int c = 0; c < gridColumnCount(); ++c)
        texts << cellText(row, c);
    return texts;
}

QVariant GridView::rowObject(int row) const {
    const QTableWidgetItem* first = item(row, 0);
    return first ? first->data(kRecordRole) : QVariant();
}

SatelliteRecord GridView::rowRecord(int row) const {
    const QVariant object = rowObject(row);
    if (object.metaType() != QMetaType::fromType<SatelliteRecord>())
        return nullptr;
    return object.value<SatelliteRecord>();
}

void GridView::clearRows() {
    setRowCount(0);
    // Rows added after a clear come in the caller's order, which the old indicator no longer
    // describes.
    m_sortColumn = -1;
    horizontalHeader()->setSortIndicatorShown(false);
}

void GridView::sortRows(int column, Qt::SortOrder order) {
    if (!this->column(column))
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    sortItems(column, order);
    horizontalHeader()->setSortIndicator(column, order);
    horizontalHeader()->setSortIndicatorShown(true);
}

void GridView::onHeaderClicked(int column) {
    const bool reverse = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder;
    sortRows(column, reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void GridView::updateHeaderCaption(int column) {
    if (QTableWidgetItem* headerItem = horizontalHeaderItem(column))
        headerItem->setText(this->column(column)->caption());
}

void GridView::setCellColoring(CellColoring coloring) {
    m_coloring = std::move(coloring);
    viewport()->update();
}

QBrush GridView::cellBackground(int row, int column) const {
    if (m_coloring)
        return m_coloring(row, column);
    return palette().brush(QPalette::Base);
}

QBrush GridView::AlternateRowBrush(int row, const QPalette& palette) {
    if (row % 2 == 0)
        return QBrush(Qt::white);
    return palette.brush(QPalette::Active, QPalette::ToolTipBase);
}

GridView::Cell GridView::cellAtViewportPoint(const QPoint& point) const {
    Cell cell;
    cell.row = rowAt(point.y());
    cell.column = columnAt(point.x());
    if (point.y() < 0 || point.x() < 0 || cell.row < 0 || cell.column < 0)
        return {};
    return cell;
}

GridView::Cell GridView::cellAtGlobalPoint(const QPoint& globalPoint) const {
    return cellAtViewportPoint(viewport()->mapFromGlobal(globalPoint));
}

int GridView::topVisibleRow() const {
    return cellAtViewportPoint(QPoint(1, 1)).row;
}

void GridView::scrollRowToTop(int row) {
    if (row < 0 || row >= rowCount())
        return;
    scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

int GridView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void GridView::selectGridRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    setCurrentCell(row, 0);
    selectRow(row);
}

QRect GridView::rowGlobalRect(int row) const {
    if (row < 0 || row >= rowCount() || gridColumnCount() == 0)
        return {};
    QRect rect = visualRect(model()->index(row, 0));
    rect = rect.united(visualRect(model()->index(row, gridColumnCount() - 1)));
    return QRect(viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

void GridView::beginUpdate() {
    if (m_updateDepth++ == 0)
        setUpdatesEnabled(false);
}

void GridView::endUpdate() {
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        setUpdatesEnabled(true);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextPopup(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

} // namespace skyvane
