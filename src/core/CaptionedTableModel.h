#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace skyvane {

// A table that keeps its column captions itself, so that reports read them without a view and a
// view can write them in the current language.
class CaptionedTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit CaptionedTableModel(QStringList captions = {}, QObject* parent = nullptr);

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;

protected:
    int captionCount() const { return static_cast<int>(m_captions.size()); }
    // Call between beginInsertColumns and endInsertColumns.
    void appendCaption(const QString& caption) { m_captions.append(caption); }

private:
    QStringList m_captions;
};

} // namespace skyvane
