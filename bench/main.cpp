// Benchmarks of Testarion's actions on tests of 1,000 and 10,000 questions,
// driving the real main window in-process as a user would.
//
//   QT_QPA_PLATFORM=offscreen testarion_bench [--json FILE]

#include "TestGenerator.h"

#include "app/Prompts.h"
#include "app/TForm1.h"
#include "app/TestFiles.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

constexpr int kRuns = 7;

struct Result
{
    QString action;
    int questions;
    double median, min, max;
};

// Answers every question the program asks without a window: the chosen
// file names are set by the benchmark before each action.
class BenchPrompts : public Prompts
{
public:
    QString openAnswer;
    QString saveAnswer;

    void Message(QWidget*, const QString&) override {}
    void Error(QWidget*, const QString& text) override
    {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    bool Confirm(QWidget*, const QString&) override { return false; }
    QString OpenTestFileName(QWidget*, const QString&, const QString&) override { return openAnswer; }
    QString SaveTextFileName(QWidget*, const QString&, const QString&) override { return saveAnswer; }
    void OpenUrl(const QUrl&) override {}
    void Beep() override {}
    void PrintPreview(QWidget*, const QString&, const std::function<void(QPrinter*)>&) override {}
};

// Lets the window system catch up: layout, painting and posted events.
void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
}

class Bench
{
public:
    explicit Bench(const QString& folder)
        : m_folder(folder)
    {
        Prompts::Install(&m_prompts);
    }
    ~Bench() { Prompts::Install(nullptr); }

    void Run(const QString& action, int questions, const std::function<void()>& prepare,
             const std::function<void()>& measured)
    {
        QList<double> times;
        for (int run = 0; run <= kRuns; ++run) {
            if (prepare)
                prepare();
            Settle();
            QElapsedTimer timer;
            timer.start();
            measured();
            Settle();
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            if (run > 0)  // the first run warms up
                times << ms;
        }
        std::sort(times.begin(), times.end());
        m_results.append({action, questions, times[times.size() / 2], times.first(), times.last()});
        std::printf("%-18s %6d %10.3f %10.3f %10.3f\n", qPrintable(action), questions,
                    times[times.size() / 2], times.first(), times.last());
        std::fflush(stdout);
    }

    void Size(int questions);
    void Startup();
    QJsonDocument Json() const;

private:
    QString m_folder;
    BenchPrompts m_prompts;
    QList<Result> m_results;
};

QWidget* Child(QWidget* root, const char* name)
{
    auto* widget = root->findChild<QWidget*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void Click(QWidget* root, const char* name)
{
    QTest::mouseClick(Child(root, name), Qt::LeftButton);
}

// Clicks a list row as the user would, scrolling it into view first.
void ClickRow(QListWidget* list, int row)
{
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void Bench::Startup()
{
    Run(QStringLiteral("startup_baseline"), 0, nullptr, [] {
        QMainWindow window;
        window.resize(908, 616);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("window not exposed");
    });
    Run(QStringLiteral("startup"), 0, nullptr, [] {
        TForm1 form;
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("window not exposed");
    });
}

void Bench::Size(int questions)
{
    const QString path = m_folder + QStringLiteral("/Bank %1.test").arg(questions);
    const QString sourcePath = m_folder + QStringLiteral("/Źródło %1.test").arg(questions);
    const QString copyPath = m_folder + QStringLiteral("/Kopia.test");
    const QString keyPath = m_folder + QStringLiteral("/Klucz.txt");
    const auto generated = GenerateTest(questions, unsigned(questions));
    WriteTestFile(*generated, path);
    WriteTestFile(*GenerateTest(questions, unsigned(questions) + 1), sourcePath);
    const std::string file = QFile::encodeName(path).toStdString();
    const QByteArray bytes = [&] {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        return in.readAll();
    }();

    Run(QStringLiteral("parse_baseline"), questions, nullptr, [&] {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        const QByteArray all = in.readAll();
        volatile auto count = all.split('\n').size();
        (void)count;
    });
    Run(QStringLiteral("load"), questions, nullptr, [&] {
        TTest test;
        test.LoadFromLines(LoadLinesFromFile(file), [](const std::string&) {});
    });
    Run(QStringLiteral("save_baseline"), questions, nullptr, [&] {
        QFile out(copyPath);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
    });
    Run(QStringLiteral("save"), questions, nullptr, [&] {
        TLines lines;
        generated->SaveToLines(lines);
        SaveLinesToFile(QFile::encodeName(copyPath).toStdString(), lines);
    });

    TForm1 form;
    form.TestsFolder = m_folder + QLatin1Char('/');
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("The main window was never shown");

    m_prompts.openAnswer = path;
    Run(QStringLiteral("open"), questions, [&] {
        if (form.CurrentTest)
            Click(&form, "imgExit");
    }, [&] { Click(&form, "img1"); });

    // Each time on a test just opened, whose list has not been shown yet.
    Run(QStringLiteral("enter_questions"), questions, [&] {
        Click(&form, "imgExit");
        Click(&form, "img1");
    }, [&] {
        Click(&form, "imgNext");
        Click(&form, "imgNext");
    });

    // The items out of view are measured in slices between events; the
    // actions below are measured once that is done, as a user would meet them.
    QTest::qWait(1000);

    auto* list = static_cast<QListWidget*>(Child(&form, "lstQuestions"));
    int row = questions / 2;
    Run(QStringLiteral("select_question"), questions, [&] { row = row == questions / 2 ? questions / 2 + 1 : questions / 2; },
        [&] { ClickRow(list, row); });

    auto* memo = static_cast<QPlainTextEdit*>(Child(&form, "mmo1"));
    memo->setFocus();
    Run(QStringLiteral("type_char"), questions, nullptr, [&] { QTest::keyClick(memo, 'a'); });

    Run(QStringLiteral("add_question"), questions, nullptr, [&] { Click(&form, "imgAddQuestion"); });

    Run(QStringLiteral("delete_question"), questions, [&] { ClickRow(list, questions / 2); },
        [&] { Click(&form, "imgDeleteQuestion"); });

    auto* splitter = static_cast<QSplitter*>(Child(&form, "spl1"));
    int shift = 40;
    Run(QStringLiteral("splitter_release"), questions, [&] { shift = -shift; }, [&] {
        QWidget* handle = splitter->handle(1);
        const QPoint start = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, start);
        QTest::mouseMove(handle, start + QPoint(shift, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, start + QPoint(shift, 0));
    });

    // Back to the summary, where resizing refills the answer key.
    Click(&form, "imgPrev");
    Click(&form, "imgPrev");
    int widen = 60;
    Run(QStringLiteral("resize"), questions, [&] { widen = -widen; },
        [&] { form.resize(form.width() + widen, form.height() + widen); });

    m_prompts.saveAnswer = keyPath;
    Run(QStringLiteral("save_key"), questions, nullptr, [&] { Click(&form, "img4"); });

    // The import page, with a source of the same size.
    Click(&form, "imgNext");
    Click(&form, "imgNext");
    m_prompts.openAnswer = sourcePath;
    Run(QStringLiteral("import_open"), questions, [&] {
        if (form.PageIndex() == TForm1::ImportPage)
            Click(&form, "imgAnuluj");
    }, [&] { Click(&form, "imgImportQuestion"); });

    Run(QStringLiteral("draw"), questions, nullptr, [&] {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog)
                dialog->accept();
        });
        Click(&form, "imgWylosuj");
    });

    auto* importList = static_cast<QListWidget*>(Child(&form, "lstImport"));
    Run(QStringLiteral("import_1000"), questions, [&] {
        if (form.PageIndex() != TForm1::ImportPage)
            Click(&form, "imgImportQuestion");
        for (int i = 0; i < importList->count(); ++i)
            importList->item(i)->setCheckState(i < 1000 ? Qt::Checked : Qt::Unchecked);
    }, [&] { Click(&form, "imgImportuj"); });
}

QJsonDocument Bench::Json() const
{
    QJsonArray results;
    for (const Result& result : m_results) {
        results.append(QJsonObject{{"action", result.action},
                                   {"questions", result.questions},
                                   {"median_ms", result.median},
                                   {"min_ms", result.min},
                                   {"max_ms", result.max}});
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return QJsonDocument(QJsonObject{{"results", results},
                                     {"peak_rss_mb", double(usage.ru_maxrss) / 1024.0}});
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QString jsonPath;
    const QStringList arguments = application.arguments();
    const qsizetype jsonAt = arguments.indexOf(QStringLiteral("--json"));
    if (jsonAt > 0 && jsonAt + 1 < arguments.size())
        jsonPath = arguments.at(jsonAt + 1);

    QTemporaryDir folder;
    Bench bench(folder.path());
    std::printf("%-18s %6s %10s %10s %10s\n", "action", "n", "median ms", "min ms", "max ms");
    bench.Startup();
    for (const int questions : {1000, 10000})
        bench.Size(questions);

    const QJsonDocument json = bench.Json();
    std::printf("peak RSS: %.1f MB\n", json.object().value("peak_rss_mb").toDouble());
    if (!jsonPath.isEmpty()) {
        QFile out(jsonPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        out.write(json.toJson());
    }
    return 0;
}
