// Benchmarks of Testarion's actions on tests of 1,000, 10,000 and 100,000
// questions, driving the real main window in-process as a user would, and
// of the whole program's start-up as a process of its own.
//
// An action counts until the program is idle again: no posted event and no
// zero-interval timer (work left for "between events") pending, so work a
// handler defers is counted, not hidden.
//
//   testarion_bench [--json FILE] [--sizes 1000,10000,100000]

#include "TestGenerator.h"

#include "app/AllocatorTuning.h"
#include "app/Prompts.h"
#include "app/TForm1.h"
#include "app/TestFiles.h"
#include "ui/QuestionItemDelegate.h"
#include "ui/QuestionList.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Result
{
    QString action;
    int questions;
    double median, min, max;  // wall time, ms
    double cpuMedian;         // user + system time, ms
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
    QString OpenImportFileName(QWidget*, const QString&, const QString&, const QStringList& filters,
                               QString& chosenFilter) override
    {
        chosenFilter = filters.value(0);
        return openAnswer;
    }
    QString SaveExportFileName(QWidget*, const QString&, const QStringList&, const QStringList&, int&) override
    {
        return QString();
    }
    bool OpenTestWithDesktop(const QString&) override { return false; }
    bool StartProgram(const QString&, const QStringList&) override { return false; }
    void OpenUrl(const QUrl&) override {}
    void Beep() override {}
    void PrintPreview(QWidget*, const QString&, const std::function<void(QPrinter*)>&) override {}
};

double CpuMs(const rusage& usage)
{
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuMs(usage);
}

// Work left for later: a zero-interval timer on any object of the program.
bool HasPendingSlices()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const auto hasSlice = [dispatcher](QObject* object) {
        const QList<QAbstractEventDispatcher::TimerInfo> timers = dispatcher->registeredTimers(object);
        return std::any_of(timers.begin(), timers.end(),
                           [](const QAbstractEventDispatcher::TimerInfo& timer) { return timer.interval == 0; });
    };
    QList<QObject*> roots{qApp};
    for (QWidget* window : QApplication::topLevelWidgets())
        roots << window;
    for (QObject* root : roots) {
        if (hasSlice(root))
            return true;
        for (QObject* child : root->findChildren<QObject*>()) {
            if (hasSlice(child))
                return true;
        }
    }
    return false;
}

// Runs the event loop until nothing is left to do: layout, painting,
// posted events and the slices of deferred work.
void WaitUntilIdle()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (;;) {
        QCoreApplication::sendPostedEvents();
        if (dispatcher->processEvents(QEventLoop::AllEvents))
            continue;
        if (!HasPendingSlices())
            return;
        dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
}

// The resident set of this process now, in MB.
double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
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

    // Measures `measured` after `prepare`, each run from an idle program;
    // the first run warms up and is not counted.
    void Run(const QString& action, int questions, const std::function<void()>& prepare,
             const std::function<void()>& measured)
    {
        const int runs = questions >= 100000 ? 5 : 7;
        QList<double> times;
        QList<double> cpu;
        for (int run = 0; run <= runs; ++run) {
            if (prepare)
                prepare();
            WaitUntilIdle();
            const double cpuBefore = ProcessCpuMs();
            QElapsedTimer timer;
            timer.start();
            measured();
            WaitUntilIdle();
            if (run > 0) {
                times << double(timer.nsecsElapsed()) / 1e6;
                cpu << ProcessCpuMs() - cpuBefore;
            }
        }
        Record(action, questions, times, cpu);
    }

    void Record(const QString& action, int questions, QList<double> times, QList<double> cpu)
    {
        std::sort(times.begin(), times.end());
        std::sort(cpu.begin(), cpu.end());
        const Result result{action, questions, times[times.size() / 2], times.first(), times.last(),
                            cpu[cpu.size() / 2]};
        m_results.append(result);
        std::printf("%-22s %6d %10.3f %10.3f %10.3f %10.3f\n", qPrintable(action), questions, result.median,
                    result.min, result.max, result.cpuMedian);
        std::fflush(stdout);
    }

    void Size(int questions);
    void Startup();
    QJsonDocument Json() const;

private:
    void TypeWrappingKey(QuestionList* list, QPlainTextEdit* memo, int row, const QString& action,
                         int questions);

    QString m_folder;
    BenchPrompts m_prompts;
    QList<Result> m_results;
    QJsonObject m_resident;
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
void ClickRow(QuestionList* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

// Starts `program` with the start-up probe preloaded and waits for its
// exit; false when it did not end normally.
bool RunProcess(const char* program, double& wallMs, double& cpuMs)
{
    const QByteArray preload = QByteArray("LD_PRELOAD=") + TESTARION_STARTUP_PROBE;
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "LD_PRELOAD=", 11) != 0)
            environment.push_back(*variable);
    }
    environment.push_back(const_cast<char*>(preload.constData()));
    environment.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(program), nullptr};

    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, arguments, environment.data()) != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    wallMs = double(timer.nsecsElapsed()) / 1e6;
    cpuMs = CpuMs(usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Bench::Startup()
{
    // Paired runs, one of each in turn, so that a change of load on the
    // machine weighs on both alike.
    const struct
    {
        const char* action;
        const char* program;
    } programs[] = {{"startup_baseline", TESTARION_EMPTY_WINDOW}, {"startup", TESTARION_PROGRAM}};
    QList<double> times[2], cpu[2];
    for (int run = 0; run <= 9; ++run) {
        for (int p = 0; p < 2; ++p) {
            double wall = 0, used = 0;
            if (!RunProcess(programs[p].program, wall, used))
                qFatal("%s did not start and quit", programs[p].program);
            if (run > 0) {
                times[p] << wall;
                cpu[p] << used;
            }
        }
    }
    for (int p = 0; p < 2; ++p)
        Record(QLatin1String(programs[p].action), 0, times[p], cpu[p]);
}

// Prepares the question at `row` so that one more letter takes it onto a
// new line of the list, then measures that letter.
void Bench::TypeWrappingKey(QuestionList* list, QPlainTextEdit* memo, int row, const QString& action,
                            int questions)
{
    const QString word = QStringLiteral(" przedsiębiorczość");
    QString original;
    int letter = 0;
    Run(action, questions, [&] {
        ClickRow(list, row);
        if (original.isEmpty())
            original = memo->toPlainText();
        // The text up to the letter that wraps.
        QString text = original;
        const int height = QuestionItemDelegate::measureHeight(text, list->font(), list->wrapWidth());
        for (letter = 0;; letter = (letter + 1) % int(word.size())) {
            if (QuestionItemDelegate::measureHeight(text + word[letter], list->font(), list->wrapWidth())
                > height)
                break;
            text += word[letter];
            if (text.size() > original.size() + 1000)
                qFatal("no letter takes question %d onto a new line", row);
        }
        memo->setPlainText(text);
        memo->moveCursor(QTextCursor::End);
        memo->setFocus();
    }, [&] { QTest::keyClick(memo, word[letter].unicode()); });
}

void Bench::Size(int questions)
{
    const QString path = m_folder + QStringLiteral("/Bank %1.test").arg(questions);
    const QString sourcePath = m_folder + QStringLiteral("/Źródło %1.test").arg(questions);
    const QString copyPath = m_folder + QStringLiteral("/Kopia.test");
    const QString keyPath = m_folder + QStringLiteral("/Klucz.txt");
    {
        const auto generated = GenerateTest(questions, unsigned(questions));
        WriteTestFile(*generated, path);
        WriteTestFile(*GenerateTest(questions, unsigned(questions) + 1), sourcePath);
    }
    const std::string file = QFile::encodeName(path).toStdString();
    // The floor of reading: the bytes into one buffer and each line end
    // found, in one pass.
    Run(QStringLiteral("load_floor"), questions, nullptr, [&] {
        std::FILE* in = std::fopen(file.c_str(), "rb");
        std::fseek(in, 0, SEEK_END);
        const long size = std::ftell(in);
        std::fseek(in, 0, SEEK_SET);
        std::unique_ptr<char[]> buffer(new char[std::size_t(size)]);
        const std::size_t read = std::fread(buffer.get(), 1, std::size_t(size), in);
        std::fclose(in);
        volatile std::size_t lines = 0;
        const char* end = buffer.get() + read;
        for (const char* at = buffer.get(); (at = static_cast<const char*>(std::memchr(at, '\n', std::size_t(end - at))));
             ++at)
            lines = lines + 1;
    });
    // The test read before is freed first: freeing is not reading.
    std::unique_ptr<TTest> loaded;
    Run(QStringLiteral("load"), questions, [&] { loaded.reset(); }, [&] {
        loaded = ReadTestFile(path, [](const std::string& message) { qFatal("%s", message.c_str()); });
    });
    // The floor of writing: the same bytes in one block, replacing the file
    // as safely as a save does (a new file flushed to the disk, then
    // renamed over the old one), and without those steps, for comparison.
    // The bytes are held only for these two, so that the memory measured
    // later is the program's own.
    const std::string copyFile = QFile::encodeName(copyPath).toStdString();
    {
        const std::string content = [&] {
            QFile in(path);
            if (!in.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(path));
            std::string read(std::size_t(in.size()), '\0');
            if (in.read(read.data(), in.size()) != in.size())
                qFatal("cannot read %s", qPrintable(path));
            return read;
        }();
        Run(QStringLiteral("save_floor"), questions, nullptr, [&] { SaveBytesToFile(copyFile, content); });
        Run(QStringLiteral("save_floor_unsafe"), questions, nullptr, [&] {
            std::FILE* out = std::fopen(copyFile.c_str(), "wb");
            std::fwrite(content.data(), 1, content.size(), out);
            std::fclose(out);
        });
    }
    Run(QStringLiteral("save"), questions, nullptr, [&] { WriteTestFile(*loaded, copyPath); });
    loaded.reset();

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

    auto* list = static_cast<QuestionList*>(Child(&form, "lstQuestions"));
    int row = questions / 2;
    Run(QStringLiteral("select_question"), questions,
        [&] { row = row == questions / 2 ? questions / 2 + 1 : questions / 2; }, [&] { ClickRow(list, row); });

    auto* memo = static_cast<QPlainTextEdit*>(Child(&form, "mmo1"));
    TypeWrappingKey(list, memo, 0, QStringLiteral("type_char_first"), questions);
    TypeWrappingKey(list, memo, questions / 2, QStringLiteral("type_char_middle"), questions);
    TypeWrappingKey(list, memo, questions - 1, QStringLiteral("type_char_last"), questions);

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
    m_resident.insert(QString::number(questions), ResidentMegabytes());

    Run(QStringLiteral("draw"), questions, nullptr, [&] {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog)
                dialog->accept();
        });
        Click(&form, "imgWylosuj");
    });

    auto* importList = static_cast<QuestionList*>(Child(&form, "lstImport"));
    Run(QStringLiteral("import_1000"), questions, [&] {
        if (form.PageIndex() != TForm1::ImportPage)
            Click(&form, "imgImportQuestion");
        QAbstractItemModel* model = importList->model();
        for (int i = 0; i < model->rowCount(); ++i)
            model->setData(model->index(i, 0), i < 1000 ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
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
                                   {"max_ms", result.max},
                                   {"cpu_median_ms", result.cpuMedian}});
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return QJsonDocument(QJsonObject{{"results", results},
                                     {"rss_on_import_page_mb", m_resident},
                                     {"peak_rss_mb", double(usage.ru_maxrss) / 1024.0}});
}

} // namespace

int main(int argc, char* argv[])
{
    // As the program does.
    TuneAllocatorForLargeTests();
    // The tests' screen, on which the window opens at its design size; the
    // programs whose start is measured inherit it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TESTARION_SCREEN_FILE);
    QApplication application(argc, argv);
    QString jsonPath;
    QList<int> sizes{1000, 10000, 100000};
    const QStringList arguments = application.arguments();
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--json"))
            jsonPath = arguments.at(i + 1);
        if (arguments.at(i) == QLatin1String("--sizes")) {
            sizes.clear();
            for (const QString& size : arguments.at(i + 1).split(QLatin1Char(',')))
                sizes << size.toInt();
        }
    }

    QTemporaryDir folder;
    Bench bench(folder.path());
    std::printf("%-22s %6s %10s %10s %10s %10s\n", "action", "n", "median ms", "min ms", "max ms", "cpu ms");
    bench.Startup();
    for (const int questions : sizes)
        bench.Size(questions);

    const QJsonDocument json = bench.Json();
    const QJsonObject resident = json.object().value("rss_on_import_page_mb").toObject();
    for (auto it = resident.begin(); it != resident.end(); ++it)
        std::printf("RSS on the import page, %s questions: %.1f MB\n", qPrintable(it.key()), it.value().toDouble());
    std::printf("peak RSS: %.1f MB\n", json.object().value("peak_rss_mb").toDouble());
    if (!jsonPath.isEmpty()) {
        QFile out(jsonPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        out.write(json.toJson());
    }
    return 0;
}
