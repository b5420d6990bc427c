// The questions of the current test as a list model. Each row shows its
// question's text; adding, deleting and retyping a question go through the
// model, which changes the test and tells the views, so that a view never
// holds a question of its own.
#pragma once

#include "model/Baza.h"

#include <QAbstractListModel>

#include <vector>

Q_DECLARE_METATYPE(TQuestion*)

class QuestionListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The row's question, a TQuestion*.
    static constexpr int QuestionRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    // The test shown, nullptr for none; the model never owns it.
    void SetTest(TTest* test);
    TTest* Test() const { return m_test; }
    TQuestion* Question(int row) const;

    // Appends "Pytanie nr n" with its default answers.
    TQuestion* AddQuestion();
    // Appends faithful copies of these questions.
    void AddCopies(const std::vector<const TQuestion*>& sources);
    void DeleteQuestion(int row);
    // `text` in Windows-1250, as the test holds it.
    void SetQuestionText(int row, const std::string& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // The test or its number of questions changed.
    void changed();

private:
    TTest* m_test = nullptr;
};
