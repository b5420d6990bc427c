// The window itself: opening the test, the screens, the keys of the
// question screen and closing.

#include "runner/TRunner.h"

#include "runner/RunnerPrompts.h"
#include "runner/TestLoading.h"
#include "model/ResultsCsv.h"
#include "ui/Cp1250.h"
#include "ui/Fonts.h"
#include "ui/ProgramIcon.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

TRunner::TRunner(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Runner"));
    setWindowTitle(RunnerTitle());
    setWindowIcon(ProgramIcon());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WindowColor());
    colours.setColor(QPalette::WindowText, TextColor());
    setPalette(colours);
    setAutoFillBackground(true);
    setFont(DesignFont(16));
    setMinimumSize(640, 480);
    resize(900, 640);

    m_screens = new QStackedWidget(this);
    m_screens->setObjectName(QStringLiteral("screens"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_screens);
    BuildStartScreen();
    BuildQuestionScreen();
    BuildResultScreen();
    BuildKeys();
}

TRunner::~TRunner() = default;

bool TRunner::OpenTest(const QString& path)
{
    QString refusal;
    std::unique_ptr<TTest> test = LoadTestToTake(path, refusal);
    if (!test) {
        RunnerPrompts::Current().Error(this, refusal);
        return false;
    }
    m_test = std::move(test);
    m_asked = QuestionsToAsk(*m_test);
    m_choices.assign(m_asked.size(), -1);
    m_current = 0;
    m_resultsSaved = false;
    const QFileInfo file(path);
    m_resultsPath = file.dir().filePath(
        QString::fromStdString(ResultsFileName(file.completeBaseName().toStdString())));

    lblTitle->setText(FromCp1250(m_test->Title));
    lblDescription->setText(FromCp1250(m_test->Description).trimmed());
    lblDescription->setVisible(!lblDescription->text().isEmpty());
    lblQuestionCount->setText(QStringLiteral("Liczba pytań: %1").arg(m_asked.size()));
    edtName->clear();
    edtClass->clear();
    m_screens->setCurrentIndex(StartScreen);
    edtName->setFocus();
    return true;
}

bool TRunner::cmdChooseTest(const QString& folder)
{
    // A refused test leaves the choice open: another one may be taken.
    for (;;) {
        const QString path = RunnerPrompts::Current().OpenTestFileName(this, folder);
        if (path.isEmpty())
            return false;
        if (OpenTest(path))
            return true;
    }
}

int TRunner::ScreenIndex() const
{
    return m_screens->currentIndex();
}

void TRunner::BuildKeys()
{
    auto addKey = [this](QKeySequence keys, auto action) {
        auto* shortcut = new QShortcut(keys, m_questionScreen);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    // Letters and digits choose; only the answers the question has count.
    for (int i = 0; i < 26; ++i)
        addKey(QKeySequence(Qt::Key_A + i), [this, i] { Choose(i); });
    for (int i = 0; i < 9; ++i)
        addKey(QKeySequence(Qt::Key_1 + i), [this, i] { Choose(i); });
    addKey(QKeySequence(Qt::Key_Left), [this] { imgPreviousClick(); });
    addKey(QKeySequence(Qt::Key_PageUp), [this] { imgPreviousClick(); });
    addKey(QKeySequence(Qt::Key_Right), [this] { imgNextClick(); });
    addKey(QKeySequence(Qt::Key_PageDown), [this] { imgNextClick(); });
    // Enter is not a shortcut: a focused button takes it first and is
    // pressed; anywhere else on the screen it goes on.
    m_questionScreen->installEventFilter(this);
}

bool TRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_questionScreen && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GoOn();
            return true;
        }
    }
    // A click on an answer's text chooses it, as one on its letter does.
    if (event->type() == QEvent::MouseButtonRelease && watched->property("answer").isValid()) {
        Choose(watched->property("answer").toInt());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TRunner::closeEvent(QCloseEvent* event)
{
    bool close = true;
    if (ScreenIndex() == QuestionScreen)
        close = RunnerPrompts::Current().Confirm(
            this, QStringLiteral("Test nie został zakończony. Przerwać go i zamknąć program? "
                                 "Odpowiedzi nie zostaną zapisane."));
    else if (ScreenIndex() == ResultScreen && !m_resultsSaved)
        close = RunnerPrompts::Current().Confirm(
            this, QStringLiteral("Wyniki nie zostały zapisane. Zamknąć mimo to?"));
    if (close)
        event->accept();
    else
        event->ignore();
}
