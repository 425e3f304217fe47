#pragma once

#include "ColumnLayout.h"
#include "SatelliteData.h"
#include "SatelliteTableModel.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTableView>
#include <QVariant>

#include <functional>
#include <utility>
#include <vector>

class QContextMenuEvent;
class QKeyEvent;

namespace skyvane {

class GridDelegate;
class GridSortModel;

// What a window declares about one of its grid columns; the caption comes from the model shown.
struct GridColumnSpec {
    QString objectName; // "colAzimuth"
    int width = -1;     // pixels; -1 keeps the grid's default width
    Qt::Alignment alignment = Qt::AlignLeft;
    QString textAfter; // drawn after every cell text of the column, "°"
};

// The header of a column as its own object, so that the property path "Header.Caption" of a
// language file resolves like any other property: find the child "Header", set "Caption".
class GridColumnHeader : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY captionChanged)
public:
    explicit GridColumnHeader(QObject* parent);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
signals:
    void captionChanged();

private:
    QString m_caption;
};

// One column of a GridView, a child object named after the column ("colSkew").
class GridColumn : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* Header READ headerObject CONSTANT)
    Q_PROPERTY(QString TextAfter READ textAfter WRITE setTextAfter NOTIFY textAfterChanged)
public:
    GridColumn(const GridColumnSpec& declared, int index, const QString& caption, QObject* parent);

    int index() const { return m_index; }
    GridColumnHeader* header() const { return m_header; }
    QObject* headerObject() const { return m_header; }
    QString caption() const { return m_header->caption(); }
    void setCaption(const QString& caption) { m_header->setCaption(caption); }
    QString textAfter() const { return m_textAfter; }
    void setTextAfter(const QString& text);
    // Shown after the caption in the header and in the model's header data (" (magnetic)");
    // the caption itself stays what the language gives.
    QString captionAfter() const { return m_captionAfter; }
    void setCaptionAfter(const QString& text);
    Qt::Alignment alignment() const { return m_alignment; }
    int declaredWidth() const { return m_declaredWidth; }

signals:
    void textAfterChanged();

private:
    int m_index;
    GridColumnHeader* m_header;
    QString m_textAfter;
    QString m_captionAfter;
    Qt::Alignment m_alignment;
    int m_declaredWidth;
};

// The grid of the main and sun outage windows: a header, whole-row single selection, no
// editing, sortable columns, a colouring hook and one record per row. It shows a model of the
// window's (setSourceModel) through a sorting model, so a row index always means the row's place
// on screen and model() gives the rows in that order. Columns sort on the model's kSortRole
// values where it gives them, else on the texts.
class GridView : public QTableView {
    Q_OBJECT
public:
    // Background of a cell that is not selected; an invalid brush leaves the default.
    using CellColoring = std::function<QBrush(int row, int column)>;

    explicit GridView(QWidget* parent = nullptr);

    // Shows `rows` (kept by the caller). Columns added later take their captions from its header
    // data; a caption set on a column (a language change) is written back there, so its readers
    // see the current language.
    void setSourceModel(QAbstractItemModel* rows);

    GridColumn* addColumn(const GridColumnSpec& declared);
    GridColumn* column(int index) const;
    GridColumn* columnByName(const QString& objectName) const;
    int gridColumnCount() const { return static_cast<int>(m_columns.size()); }

    int gridRowCount() const;
    QString cellText(int row, int column) const;
    // The text as drawn on screen: the cell text followed by the column's text-after.
    QString displayText(int row, int column) const;
    // The record attached to the row, or null when there is none (or no such row).
    SatelliteRecord rowRecord(int row) const;
    // The selected rows as the screen shows them: the visible columns' texts separated by tabs,
    // one line each, in the order on screen; empty when nothing is selected. Ctrl+C copies it.
    QString selectedRowsText() const;
    // The columns on screen, in order, as a printout lays them out.
    std::vector<ColumnLayout> visibleColumnLayouts() const;

    // Sorting as a header click does it; a further click on the same column reverses it.
    // New rows of the model are sorted the same way until resetSorting.
    void sortRows(int column, Qt::SortOrder order);
    // Back to the rows' own order, without a sort indicator.
    void resetSorting();

    void setCellColoring(CellColoring coloring);
    // The brush a cell that is not selected is painted with.
    QBrush cellBackground(int row, int column) const;
    // The colour a cell's text is drawn in when not selected: the palette's text colour, unless
    // the cell's background is one a dark theme's light text cannot be read on.
    QColor cellTextColour(int row, int column) const;
    // The colour a text is drawn in on a cell of that background (not NoBrush).
    QColor textColourOn(const QBrush& background) const;
    // The usual colouring: even rows (from the first data row on screen) white, odd rows the
    // palette's tooltip background.
    static QBrush AlternateRowBrush(int row, const QPalette& palette);

    struct Cell {
        int row = -1;
        int column = -1;
        bool isValid() const { return row >= 0 && column >= 0; }
    };
    // -1 for a point over the header, below the last row or right of the last column.
    Cell cellAtViewportPoint(const QPoint& point) const;
    Cell cellAtGlobalPoint(const QPoint& globalPoint) const;
    // The row of the point one pixel right of and below the data area's top-left, or -1.
    int topVisibleRow() const;
    void scrollRowToTop(int row);
    int selectedRow() const;
    void selectGridRow(int row);
    // The row's rectangle in global coordinates (empty for no such row).
    QRect rowGlobalRect(int row) const;

    // Repainting is suspended from the first beginUpdate to the matching endUpdate.
    void beginUpdate();
    void endUpdate();
    bool isUpdating() const { return m_updateDepth > 0; }

signals:
    // A context menu was asked for, with the mouse (at globalPos) or from the keyboard.
    void contextPopup(const QPoint& globalPos, bool fromKeyboard);
    void cellDoubleClicked(int row, int column);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The view strokes its grid lines pixel by pixel; the grid keeps the view's pen empty and
    // fills the same pixels (solid lines only: a caller's other grid style is the view's).
    void paintGridLines(const QRegion& region);
    void onHeaderClicked(int column);
    void updateHeaderCaption(int column);
    // How much a change can alter the widths a fit gives: new rows or texts only widen a column
    // when they bring a wider text; a caption, a text-after or a column changes them anyway.
    enum class ColumnChange { Texts, Layout };
    // Once the current event is handled, widens every column whose texts or caption no longer fit.
    void scheduleColumnFit(ColumnChange change);
    // A column is never narrower than its declared width nor than its widest text; with
    // keepWider, a width the user dragged larger stays.
    void fitColumnsToTexts(bool keepWider);
    // The fit after new texts: measuring them is cheap, the fit itself is not, and with the
    // wider widths kept it can only change something when a column's widest text changed.
    void fitColumnsToNewTexts();

    // The widest text of a column as drawn (text-after included), in the grid's font.
    struct WidestText {
        QString text;
        int width = -1;
        bool operator==(const WidestText&) const = default;
    };
    std::vector<WidestText> widestTexts();
    int textWidth(const QString& text);

    GridSortModel* m_sortModel;
    GridDelegate* m_delegate;
    std::vector<GridColumn*> m_columns;
    CellColoring m_coloring;
    int m_updateDepth = 0;
    bool m_columnFitPending = false;
    bool m_layoutChangePending = false;
    // Each column's widest text and width when the columns were last fitted.
    std::vector<WidestText> m_fittedWidest;
    std::vector<int> m_fittedWidths;
    // The header's sort indicator then: shown, it widens every caption's room.
    std::pair<bool, int> m_fittedSortIndicator{false, -1};
    std::pair<bool, int> sortIndicator() const;
    // Widths of texts already measured in the grid's current font and style.
    QHash<QString, int> m_textWidths;
    // ReadableOn for the few pairs of colours a grid paints (one per row parity, as a rule).
    struct ReadableColour {
        QColor text;
        QColor background;
        QColor readable;
    };
    mutable std::vector<ReadableColour> m_readableColours;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace skyvane
