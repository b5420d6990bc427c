#include "QuestionListModel.h"

#include "ui/Cp1250.h"
#include "ui/QuestionList.h"

void QuestionListModel::SetTest(TTest* test)
{
    beginResetModel();
    m_test = test;
    endResetModel();
    emit changed();
}

TQuestion* QuestionListModel::Question(int row) const
{
    return m_test ? m_test->GetQuestion(row) : nullptr;
}

TQuestion* QuestionListModel::AddQuestion()
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    TQuestion* question = m_test->AddQuestion();
    endInsertRows();
    emit changed();
    return question;
}

void QuestionListModel::AddCopies(const std::vector<const TQuestion*>& sources)
{
    if (sources.empty())
        return;
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + int(sources.size()) - 1);
    for (const TQuestion* source : sources)
        m_test->AddQuestion()->CopyFrom(*source);
    endInsertRows();
    emit changed();
}

void QuestionListModel::DeleteQuestion(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_test->DeleteQuestion(row);
    endRemoveRows();
    emit changed();
}

void QuestionListModel::SetQuestionText(int row, const std::string& text)
{
    TQuestion* question = Question(row);
    if (!question || question->Text == text)
        return;
    question->Text = text;
    const QModelIndex changedRow = index(row);
    emit dataChanged(changedRow, changedRow, {Qt::DisplayRole, QuestionList::TextLengthRole});
}

int QuestionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_test ? 0 : int(m_test->Questions.size());
}

QVariant QuestionListModel::data(const QModelIndex& index, int role) const
{
    const TQuestion* question = index.isValid() ? Question(index.row()) : nullptr;
    if (!question)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        // The closing line break is the list's own: an item ends with it.
        return FromCp1250(question->Text) + QLatin1Char('\n');
    case QuestionList::TextLengthRole:
        return int(question->Text.size());
    case QuestionRole:
        return QVariant::fromValue(const_cast<TQuestion*>(question));
    default:
        return QVariant();
    }
}
