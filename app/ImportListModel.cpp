#include "ImportListModel.h"

#include "app/QuestionListModel.h"
#include "ui/Cp1250.h"

#include <algorithm>

void ImportListModel::SetSource(const TTest* source)
{
    beginResetModel();
    m_source = source;
    m_ticks.assign(source ? source->Questions.size() : 0, false);
    m_tickedCount = 0;
    endResetModel();
    emit ticksChanged();
}

const TQuestion* ImportListModel::Question(int row) const
{
    return m_source ? m_source->GetQuestion(row) : nullptr;
}

void ImportListModel::SetTicks(const std::vector<bool>& ticks)
{
    if (ticks.size() != m_ticks.size() || rowCount() == 0)
        return;
    m_ticks = ticks;
    m_tickedCount = int(std::count(m_ticks.begin(), m_ticks.end(), true));
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    emit ticksChanged();
}

std::vector<const TQuestion*> ImportListModel::Ticked() const
{
    std::vector<const TQuestion*> ticked;
    ticked.reserve(std::size_t(m_tickedCount));
    for (int row = 0; row < rowCount(); ++row) {
        if (m_ticks[std::size_t(row)])
            ticked.push_back(Question(row));
    }
    return ticked;
}

int ImportListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_ticks.size());
}

QVariant ImportListModel::data(const QModelIndex& index, int role) const
{
    const TQuestion* question = index.isValid() ? Question(index.row()) : nullptr;
    if (!question)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        // One line per item: a line break pasted into a question shows as a space.
        return FromCp1250(question->Text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    case Qt::CheckStateRole:
        return m_ticks[std::size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    case QuestionListModel::QuestionRole:
        return QVariant::fromValue(const_cast<TQuestion*>(question));
    default:
        return QVariant();
    }
}

bool ImportListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rowCount())
        return false;
    const bool ticked = value.toInt() == Qt::Checked;
    if (m_ticks[std::size_t(index.row())] == ticked)
        return true;
    m_ticks[std::size_t(index.row())] = ticked;
    m_tickedCount += ticked ? 1 : -1;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit ticksChanged();
    return true;
}

Qt::ItemFlags ImportListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}
