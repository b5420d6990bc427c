// The result: who took the test, the score, the verdict, a review of every
// answer, and storing the attempt in the teacher's results file.

#include "runner/TRunner.h"

#include "model/ResultsCsv.h"
#include "runner/ResultsFile.h"
#include "runner/RunnerPrompts.h"
#include "runner/screens/Common.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum ReviewColumn { NumberColumn, QuestionColumn, ChosenColumn, CorrectColumn, MarkColumn };

QString AnswerText(const TAskedQuestion& question, int answer)
{
    return QString::fromStdString(AnswerLetter(answer)) + QStringLiteral(". ")
         + FromCp1250(question.Answers[answer]->Text).simplified();
}

QString CorrectText(const TAskedQuestion& question)
{
    QStringList answers;
    for (int answer : CorrectAnswers(question))
        answers << AnswerText(question, answer);
    return answers.isEmpty() ? QStringLiteral("brak") : answers.join(QStringLiteral("; "));
}

QTableWidgetItem* Cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

void TRunner::BuildResultScreen()
{
    auto* screen = new QWidget(m_screens);
    screen->setObjectName(QStringLiteral("resultScreen"));
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(10);

    lblStudent = MakeLabel(screen, "lblStudent", 16, true, true);
    layout->addWidget(lblStudent);
    lblScore = MakeLabel(screen, "lblScore", 18, true, false);
    layout->addWidget(lblScore);
    lblVerdict = MakeLabel(screen, "lblVerdict", 30, true, true);
    QPalette maroon = lblVerdict->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    lblVerdict->setPalette(maroon);
    layout->addWidget(lblVerdict);

    tblReview = new QTableWidget(0, 5, screen);
    tblReview->setObjectName(QStringLiteral("tblReview"));
    tblReview->setAccessibleName(QStringLiteral("Przegląd odpowiedzi"));
    tblReview->setHorizontalHeaderLabels({QStringLiteral("Nr"), QStringLiteral("Pytanie"),
                                          QStringLiteral("Twoja odpowiedź"),
                                          QStringLiteral("Poprawna odpowiedź"),
                                          QStringLiteral("Ocena")});
    tblReview->verticalHeader()->hide();
    tblReview->setWordWrap(true);
    tblReview->setSelectionMode(QAbstractItemView::NoSelection);
    tblReview->setFont(DesignFont(14));
    QHeaderView* header = tblReview->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(QuestionColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(ChosenColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(CorrectColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(NumberColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(MarkColumn, QHeaderView::ResizeToContents);
    layout->addWidget(tblReview, 1);
    // Wrapped texts take the height their column's width gives them.
    connect(header, &QHeaderView::sectionResized, tblReview,
            [this] { tblReview->resizeRowsToContents(); });

    lblSaved = MakeLabel(screen, "lblSaved", 14, false, true);
    lblSaved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblSaved);

    auto* buttons = new QHBoxLayout;
    imgSaveAs = MakeButton(screen, "imgSaveAs", "zapisz_wyniki_jako",
                           QStringLiteral("Zapisz wyniki jako…"), QSize(200, 32));
    auto* imgClose = MakeButton(screen, "imgClose", "zakoncz", QStringLiteral("Zakończ"),
                                QSize(149, 32));
    buttons->addWidget(imgSaveAs);
    buttons->addStretch(1);
    buttons->addWidget(imgClose);
    layout->addLayout(buttons);
    connect(imgSaveAs, &PictureButton::clicked, this, &TRunner::imgSaveAsClick);
    connect(imgClose, &PictureButton::clicked, this, &TRunner::imgCloseClick);

    m_screens->insertWidget(ResultScreen, screen);
}

void TRunner::ShowResult()
{
    const TScore score = ScoreAttempt(*m_test, m_asked, m_choices);
    const QString name = edtName->text().trimmed();
    const QString className = edtClass->text().trimmed();
    lblStudent->setText(className.isEmpty() ? name
                                            : QStringLiteral("%1, klasa %2").arg(name, className));
    lblScore->setText(QStringLiteral("Wynik: %1 z %2 pkt (%3%)")
                          .arg(score.Points)
                          .arg(score.Maximum)
                          .arg(score.Percent));
    const QString verdict = score.Range ? FromCp1250(score.Range->Description).trimmed()
                                        : QString();
    lblVerdict->setText(verdict);
    lblVerdict->setVisible(!verdict.isEmpty());
    FillReview();
    m_screens->setCurrentIndex(ResultScreen);

    TResultRecord record;
    record.Time = QDateTime::currentDateTime().toString(Qt::ISODate).toStdString();
    record.Name = name.toStdString();
    record.ClassName = className.toStdString();
    record.Points = score.Points;
    record.Maximum = score.Maximum;
    record.Percent = score.Percent;
    record.Verdict = verdict.toStdString();
    record.Choices = ChoiceLetters(m_choices);
    m_resultLine = ResultsCsvLine(record);
    m_resultsSaved = false;
    StoreResults(m_resultsPath);
}

void TRunner::FillReview()
{
    tblReview->setRowCount(static_cast<int>(m_asked.size()));
    for (int row = 0; row < static_cast<int>(m_asked.size()); ++row) {
        const TAskedQuestion& question = m_asked[row];
        const int chosen = m_choices[row];
        const bool right = IsCorrect(question, chosen);
        tblReview->setItem(row, NumberColumn, Cell(QString::number(row + 1)));
        tblReview->setItem(row, QuestionColumn, Cell(FromCp1250(question.Question->Text).simplified()));
        tblReview->setItem(row, ChosenColumn,
                           Cell(chosen >= 0 ? AnswerText(question, chosen)
                                            : QStringLiteral("brak odpowiedzi")));
        tblReview->setItem(row, CorrectColumn, Cell(CorrectText(question)));
        QTableWidgetItem* mark = Cell(right ? QStringLiteral("dobrze") : QStringLiteral("źle"));
        mark->setForeground(right ? QColor(0, 110, 0) : QColor(170, 0, 0));
        QFont bold = tblReview->font();
        bold.setBold(true);
        mark->setFont(bold);
        tblReview->setItem(row, MarkColumn, mark);
    }
    tblReview->resizeRowsToContents();
}

void TRunner::StoreResults(const QString& path)
{
    QString error;
    if (AppendResultLine(path, ResultsCsvHeader(), m_resultLine, error)) {
        m_resultsSaved = true;
        m_resultsPath = path;
        lblSaved->setText(QStringLiteral("Wyniki zapisano w pliku „%1”.").arg(path));
        imgSaveAs->hide();
        return;
    }
    // The result stays on screen, and another file can be chosen.
    lblSaved->setText(error + QStringLiteral(" Wybierz inny plik przyciskiem „Zapisz wyniki jako…”."));
    imgSaveAs->show();
    RunnerPrompts::Current().Error(this, error);
}

void TRunner::imgSaveAsClick()
{
    const QString path = RunnerPrompts::Current().SaveResultsFileName(this, m_resultsPath);
    if (!path.isEmpty())
        StoreResults(path);
}

void TRunner::imgCloseClick()
{
    close();
}
