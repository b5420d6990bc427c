// The questions of the import source as a list of ticks: each row shows its
// question's text on one line and a check box; the model keeps the ticks.
#pragma once

#include "model/Baza.h"

#include <QAbstractListModel>

#include <vector>

class ImportListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // The source shown, nullptr for none; every tick is cleared. The model
    // never owns the source.
    void SetSource(const TTest* source);
    const TQuestion* Question(int row) const;
    // One tick per row.
    void SetTicks(const std::vector<bool>& ticks);
    int TickedCount() const { return m_tickedCount; }
    // The ticked questions in their order.
    std::vector<const TQuestion*> Ticked() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The source or a tick changed.
    void ticksChanged();

private:
    const TTest* m_source = nullptr;
    std::vector<bool> m_ticks;
    int m_tickedCount = 0;
};
