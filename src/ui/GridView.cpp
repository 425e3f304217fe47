#include "GridView.h"

#include "CellTextCache.h"
#include "ReadableColours.h"

#include <QApplication>
#include <QClipboard>
#include <QCollator>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>

#include <algorithm>

namespace skyvane {

namespace {

// Texts in the order a reader expects: "Amos 4" before "Amos 17", case ignored. The C locale
// compares code points only, so it collates as English does.
QCollator NaturalOrder() {
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

// The text of a row for something the site cannot see.
QColor BlockedTextColour() {
    return {128, 128, 128};
}

} // namespace

// Draws the column's text-after behind each cell text and the colouring hook's background.
// The texts are drawn from a cache of laid-out texts; a cell with the keyboard focus, which the
// style frames, is drawn by the style as a whole. The grid's models give display texts only (no
// fonts, icons, check marks or colours of their own), so those are all a cell shows.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(GridView* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (option.state & QStyle::State_HasFocus) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const GridColumn* owner = m_grid->column(index.column());
        const QString text = index.data().toString() + (owner ? owner->textAfter() : QString());
        const Qt::Alignment alignment = CellAlignment(owner);
        const bool selected = option.state & QStyle::State_Selected;
        const QBrush background = selected
                                      ? option.palette.brush(QPalette::Active, QPalette::Highlight)
                                      : m_grid->cellBackground(index.row(), index.column());
        if (selected || (option.state & QStyle::State_MouseOver))
            DrawBackgroundByStyle(painter, option, text, alignment, background);
        else if (background.style() != Qt::NoBrush)
            painter->fillRect(option.rect, background);
        const QPen pen = painter->pen();
        painter->setPen(textColour(option, background, index));
        m_texts.draw(painter, option, text, alignment);
        painter->setPen(pen);
    }

    // Laid-out texts depend on the font, which each paint checks, and on the style's margins.
    void forgetLaidOutTexts() { m_texts.clear(); }

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
        if (brush.style() != Qt::NoBrush) {
            option->backgroundBrush = brush;
            option->palette.setColor(QPalette::Text, m_grid->textColourOn(brush));
        }
        // A row for something the site cannot see is greyed, readable on either background.
        if (index.data(kBlockedRole).toBool())
            option->palette.setColor(QPalette::Text, BlockedTextColour());
    }

private:
    static Qt::Alignment CellAlignment(const GridColumn* owner) {
        return (owner ? owner->alignment() : Qt::Alignment(Qt::AlignLeft)) | Qt::AlignVCenter;
    }

    // Selected and hovered cells look as the style makes them.
    static void DrawBackgroundByStyle(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QString& text, Qt::Alignment alignment,
                                      const QBrush& background) {
        QStyleOptionViewItem cell = option;
        cell.text = text;
        cell.features |= QStyleOptionViewItem::HasDisplay;
        cell.displayAlignment = alignment;
        cell.backgroundBrush = background;
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, option.widget);
    }

    // The colour the style draws the text in, with the palette initStyleOption gives.
    QColor textColour(const QStyleOptionViewItem& option, const QBrush& background,
                      const QModelIndex& index) const {
        QPalette::ColorGroup group = QPalette::Disabled;
        if (option.state & QStyle::State_Enabled)
            group = option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
        if (option.state & QStyle::State_Selected)
            return option.palette.color(group, QPalette::HighlightedText);
        if (index.data(kBlockedRole).toBool())
            return BlockedTextColour();
        if (background.style() != Qt::NoBrush)
            return m_grid->textColourOn(background);
        return option.palette.color(group, QPalette::Text);
    }

    GridView* m_grid;
    mutable CellTextCache m_texts;
};

// The order on screen: the rows' own sort values where their model gives them, else their
// texts; the alignment of each column.
class GridSortModel : public QSortFilterProxyModel {
public:
    explicit GridSortModel(GridView* grid)
        : QSortFilterProxyModel(grid)
        , m_grid(grid)
        , m_collator(NaturalOrder()) {
        // Rows added after a sort come at the end, as the caller added them.
        setDynamicSortFilter(false);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole)
            return Alignment(index.column());
        return QSortFilterProxyModel::data(index, role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
            return Alignment(section);
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const QVariant mine = left.data(kSortRole);
        const QVariant theirs = right.data(kSortRole);
        if (mine.isValid() && theirs.isValid())
            return ValueLess(mine, theirs);
        return TextLess(left.data().toString(), right.data().toString());
    }

    bool TextLess(const QString& mine, const QString& theirs) const {
        return m_collator.compare(mine, theirs) < 0;
    }

    bool ValueLess(const QVariant& mine, const QVariant& theirs) const {
        if (mine.typeId() == QMetaType::QString && theirs.typeId() == QMetaType::QString)
            return TextLess(mine.toString(), theirs.toString());
        return QVariant::compare(mine, theirs) == QPartialOrdering::Less;
    }

private:
    QVariant Alignment(int column) const {
        const GridColumn* owner = m_grid->column(column);
        if (!owner)
            return {};
        return QVariant::fromValue(owner->alignment() | Qt::AlignVCenter);
    }

    GridView* m_grid;
    QCollator m_collator;
};

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

GridColumn::GridColumn(const GridColumnSpec& declared, int index, const QString& caption,
                       QObject* parent)
    : QObject(parent)
    , m_index(index)
    , m_header(new GridColumnHeader(this))
    , m_textAfter(declared.textAfter)
    , m_alignment(declared.alignment)
    , m_declaredWidth(declared.width) {
    setObjectName(declared.objectName);
    m_header->setCaption(caption);
}

void GridColumn::setTextAfter(const QString& text) {
    if (text == m_textAfter)
        return;
    m_textAfter = text;
    emit textAfterChanged();
}

void GridColumn::setCaptionAfter(const QString& text) {
    if (text == m_captionAfter)
        return;
    m_captionAfter = text;
    emit m_header->captionChanged();
}

GridView::GridView(QWidget* parent)
    : QTableView(parent)
    , m_sortModel(new GridSortModel(this))
    , m_delegate(new GridDelegate(this)) {
    setModel(m_sortModel);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setGridStyle(Qt::NoPen);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    setItemDelegate(m_delegate);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &GridView::onHeaderClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        emit cellDoubleClicked(index.row(), index.column());
    });
    // A larger desktop font or a longer translation must not cut off a position or a caption.
    const auto fitAfter = [this](ColumnChange change) {
        return [this, change] { scheduleColumnFit(change); };
    };
    connect(m_sortModel, &QAbstractItemModel::modelReset, this, fitAfter(ColumnChange::Texts));
    // New rows (a recalculation) keep the order the user chose.
    connect(m_sortModel, &QAbstractItemModel::modelReset, this, [this] {
        if (m_sortColumn >= 0)
            m_sortModel->sort(m_sortColumn, m_sortOrder);
    });
    connect(m_sortModel, &QAbstractItemModel::rowsInserted, this, fitAfter(ColumnChange::Texts));
    connect(m_sortModel, &QAbstractItemModel::dataChanged, this, fitAfter(ColumnChange::Texts));
    connect(m_sortModel, &QAbstractItemModel::columnsInserted, this,
            fitAfter(ColumnChange::Layout));
    connect(m_sortModel, &QAbstractItemModel::headerDataChanged, this,
            fitAfter(ColumnChange::Layout));
}

void GridView::setSourceModel(QAbstractItemModel* rows) {
    resetSorting();
    m_sortModel->setSourceModel(rows);
    for (int c = 0; c < gridColumnCount(); ++c) {
        if (rows)
            m_columns[static_cast<size_t>(c)]->setCaption(
                rows->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        if (m_columns[static_cast<size_t>(c)]->declaredWidth() >= 0)
            setColumnWidth(c, m_columns[static_cast<size_t>(c)]->declaredWidth());
    }
}

GridColumn* GridView::addColumn(const GridColumnSpec& declared) {
    const int index = gridColumnCount();
    const QAbstractItemModel* rows = m_sortModel->sourceModel();
    const QString caption =
        rows ? rows->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
    auto* added = new GridColumn(declared, index, caption, this);
    m_columns.push_back(added);
    if (declared.width >= 0)
        setColumnWidth(index, declared.width);
    connect(added->header(), &GridColumnHeader::captionChanged, this,
            [this, index] { updateHeaderCaption(index); });
    connect(added, &GridColumn::textAfterChanged, viewport(), qOverload<>(&QWidget::update));
    connect(added, &GridColumn::textAfterChanged, this,
            [this] { scheduleColumnFit(ColumnChange::Layout); });
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

int GridView::gridRowCount() const {
    return m_sortModel->rowCount();
}

QString GridView::cellText(int row, int column) const {
    return m_sortModel->index(row, column).data().toString();
}

QString GridView::displayText(int row, int column) const {
    const GridColumn* owner = this->column(column);
    return cellText(row, column) + (owner ? owner->textAfter() : QString());
}

SatelliteRecord GridView::rowRecord(int row) const {
    const QVariant object = m_sortModel->index(row, 0).data(kRecordRole);
    if (object.metaType() != QMetaType::fromType<SatelliteRecord>())
        return nullptr;
    return object.value<SatelliteRecord>();
}

std::vector<ColumnLayout> GridView::visibleColumnLayouts() const {
    std::vector<ColumnLayout> layouts;
    const int shown = model() ? model()->columnCount() : 0;
    for (const GridColumn* each : m_columns)
        if (each->index() < shown && !isColumnHidden(each->index()))
            layouts.push_back(
                {each->index(), columnWidth(each->index()), each->alignment(), each->textAfter()});
    return layouts;
}

void GridView::resetSorting() {
    m_sortColumn = -1;
    m_sortModel->sort(-1);
    horizontalHeader()->setSortIndicatorShown(false);
}

void GridView::sortRows(int column, Qt::SortOrder order) {
    if (!this->column(column))
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    m_sortModel->sort(column, order);
    horizontalHeader()->setSortIndicator(column, order);
    horizontalHeader()->setSortIndicatorShown(true);
}

void GridView::onHeaderClicked(int column) {
    const bool reverse = column == m_sortColumn && m_sortOrder == Qt::AscendingOrder;
    sortRows(column, reverse ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// The caption is kept in the rows' model too, where reports read it.
void GridView::updateHeaderCaption(int column) {
    if (QAbstractItemModel* rows = m_sortModel->sourceModel())
        rows->setHeaderData(column, Qt::Horizontal,
                            this->column(column)->caption() + this->column(column)->captionAfter(),
                            Qt::DisplayRole);
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

QColor GridView::cellTextColour(int row, int column) const {
    const QBrush background = cellBackground(row, column);
    if (background.style() == Qt::NoBrush)
        return palette().color(QPalette::Text);
    return textColourOn(background);
}

QColor GridView::textColourOn(const QBrush& background) const {
    const QColor text = palette().color(QPalette::Text);
    const QColor colour = background.color();
    for (const ReadableColour& known : m_readableColours)
        if (known.text == text && known.background == colour)
            return known.readable;
    constexpr size_t kKnownPairs = 8;
    if (m_readableColours.size() >= kKnownPairs)
        m_readableColours.clear();
    m_readableColours.push_back({text, colour, ReadableOn(text, colour)});
    return m_readableColours.back().readable;
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
    if (row < 0 || row >= gridRowCount())
        return;
    scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

int GridView::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void GridView::selectGridRow(int row) {
    if (row < 0 || row >= gridRowCount())
        return;
    setCurrentIndex(model()->index(row, 0));
    selectRow(row);
}

QRect GridView::rowGlobalRect(int row) const {
    if (row < 0 || row >= gridRowCount() || gridColumnCount() == 0)
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

void GridView::scheduleColumnFit(ColumnChange change) {
    if (change == ColumnChange::Layout)
        m_layoutChangePending = true;
    if (m_columnFitPending)
        return;
    m_columnFitPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const bool layout = m_layoutChangePending;
            m_columnFitPending = false;
            m_layoutChangePending = false;
            if (layout)
                fitColumnsToTexts(true);
            else
                fitColumnsToNewTexts();
        },
        Qt::QueuedConnection);
}

void GridView::fitColumnsToTexts(bool keepWider) {
    for (int c = 0; c < gridColumnCount(); ++c) {
        const int declared = m_columns[static_cast<size_t>(c)]->declaredWidth();
        int width = declared >= 0 ? declared : horizontalHeader()->defaultSectionSize();
        if (keepWider)
            width = std::max(width, columnWidth(c));
        width = std::max({width, sizeHintForColumn(c), horizontalHeader()->sectionSizeHint(c)});
        if (width != columnWidth(c))
            setColumnWidth(c, width);
    }
    m_fittedWidest = widestTexts();
    m_fittedSortIndicator = sortIndicator();
    m_fittedWidths.clear();
    for (int c = 0; c < gridColumnCount(); ++c)
        m_fittedWidths.push_back(columnWidth(c));
}

// Since the last fit every column is at least as wide as its texts then were. Unless a column
// was made narrower since (a new model, the user) or a text came that is wider than the widest
// then (or as wide, but another text, measured differently by the style), the fit would keep
// every width as it is.
void GridView::fitColumnsToNewTexts() {
    // Beyond that many rows the fit measures only those near the rows on screen.
    const int measured = verticalHeader()->resizeContentsPrecision();
    if (measured >= 0 && gridRowCount() > measured) {
        fitColumnsToTexts(true);
        return;
    }
    const std::vector<WidestText> widest = widestTexts();
    bool unchanged = sortIndicator() == m_fittedSortIndicator &&
                     widest.size() == m_fittedWidest.size() &&
                     m_fittedWidths.size() == static_cast<size_t>(gridColumnCount());
    for (size_t c = 0; unchanged && c < widest.size(); ++c) {
        const WidestText& fitted = m_fittedWidest[c];
        unchanged = columnWidth(int(c)) >= m_fittedWidths[c] &&
                    (widest[c].width < fitted.width || widest[c] == fitted);
    }
    if (!unchanged)
        fitColumnsToTexts(true);
}

std::pair<bool, int> GridView::sortIndicator() const {
    return {horizontalHeader()->isSortIndicatorShown(), horizontalHeader()->sortIndicatorSection()};
}

std::vector<GridView::WidestText> GridView::widestTexts() {
    std::vector<WidestText> widest(static_cast<size_t>(gridColumnCount()));
    const int columns = std::min(gridColumnCount(), m_sortModel->columnCount());
    const int rows = gridRowCount();
    for (int c = 0; c < columns; ++c) {
        WidestText& column = widest[static_cast<size_t>(c)];
        for (int row = 0; row < rows; ++row) {
            const QString text = displayText(row, c);
            const int width = textWidth(text);
            if (width > column.width)
                column = {text, width};
        }
    }
    return widest;
}

int GridView::textWidth(const QString& text) {
    if (const auto known = m_textWidths.constFind(text); known != m_textWidths.cend())
        return *known;
    // Every Calc for another site brings new angles; the old ones need not stay.
    constexpr qsizetype kKnownTexts = 4096;
    if (m_textWidths.size() >= kKnownTexts)
        m_textWidths.clear();
    const int width = fontMetrics().horizontalAdvance(text);
    m_textWidths.insert(text, width);
    return width;
}

void GridView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_textWidths.clear();
        m_delegate->forgetLaidOutTexts();
        fitColumnsToTexts(false);
    }
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (showGrid() && gridStyle() == Qt::NoPen)
        paintGridLines(event->region());
}

// Where the view draws its lines: along the bottom pixel row of every row shown and the right
// pixel column of every column (the left one right to left), across the part of each painted
// rectangle that has cells; on the first row and column too where the style asks for it.
void GridView::paintGridLines(const QRegion& region) {
    const QHeaderView* rows = verticalHeader();
    const QHeaderView* columns = horizontalHeader();
    if (rows->count() == 0 || columns->count() == 0)
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor colour = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const bool firstLines =
        style()->styleHint(QStyle::SH_Table_AlwaysDrawLeftTopGridLines, &option, this);
    const bool rightToLeft = isRightToLeft();
    const int contentRight = columns->length() - columns->offset() - (rightToLeft ? 0 : 1);
    const int contentBottom = rows->length() - rows->offset() - 1;
    QPainter painter(viewport());
    for (QRect area : region) {
        area.setBottom(std::min(area.bottom(), contentBottom));
        if (rightToLeft)
            area.setLeft(std::max(area.left(), viewport()->width() - contentRight));
        else
            area.setRight(std::min(area.right(), contentRight));
        if (!area.isValid())
            continue;
        int left = columns->visualIndexAt(area.left());
        int right = columns->visualIndexAt(area.right());
        if (rightToLeft)
            std::swap(left, right);
        left = left < 0 ? 0 : left;
        right = right < 0 ? columns->count() - 1 : right;
        const int top = rows->visualIndexAt(area.top());
        int bottom = rows->visualIndexAt(area.bottom());
        bottom = bottom < 0 ? rows->count() - 1 : bottom;
        if (top < 0 || top > bottom)
            continue;
        const auto horizontal = [&](int y) {
            painter.fillRect(QRect(area.left(), y, area.width(), 1), colour);
        };
        const auto vertical = [&](int x) {
            painter.fillRect(QRect(x, area.top(), 1, area.height()), colour);
        };
        for (int visual = top; visual <= bottom; ++visual) {
            const int row = rows->logicalIndex(visual);
            if (!rows->isSectionHidden(row))
                horizontal(rowViewportPosition(row) + rowHeight(row) - 1);
        }
        for (int visual = left; visual <= right; ++visual) {
            const int column = columns->logicalIndex(visual);
            if (!columns->isSectionHidden(column))
                vertical(columnViewportPosition(column) +
                         (rightToLeft ? 0 : columnWidth(column) - 1));
        }
        if (firstLines && columns->isHidden()) {
            const int row = rows->logicalIndex(top);
            if (!rows->isSectionHidden(row) && rowViewportPosition(row) == area.top())
                horizontal(area.top());
        }
        if (firstLines && rows->isHidden()) {
            const int column = columns->logicalIndex(left);
            if (!columns->isSectionHidden(column)) {
                const int x =
                    columnViewportPosition(column) + (rightToLeft ? columnWidth(left) - 1 : 0);
                if (x == (rightToLeft ? area.right() : area.left()))
                    vertical(x);
            }
        }
    }
}

QString GridView::selectedRowsText() const {
    QStringList lines;
    const std::vector<ColumnLayout> columns = visibleColumnLayouts();
    for (int row = 0; row < gridRowCount(); ++row) {
        if (!selectionModel()->isRowSelected(row, QModelIndex()))
            continue;
        QStringList cells;
        for (const ColumnLayout& each : columns)
            cells << displayText(row, each.column);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        if (const QString text = selectedRowsText(); !text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextPopup(event->globalPos(), event->reason() == QContextMenuEvent::Keyboard);
    event->accept();
}

} // namespace skyvane
