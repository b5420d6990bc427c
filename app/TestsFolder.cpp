#include "TestsFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

QString WithSeparator(const QString& folder)
{
    return QDir::toNativeSeparators(QDir::cleanPath(folder) + QLatin1Char('/'));
}

// Copies the example tests into a freshly made folder; a file of the same
// name is the user's and stays as it is.
void CopyExamples(const QDir& from, const QDir& to)
{
    const QStringList names = from.entryList({QStringLiteral("*.test")}, QDir::Files);
    for (const QString& name : names) {
        const QString target = to.filePath(name);
        // The copy is the user's own to edit, whatever mode the installed
        // example has.
        if (!QFileInfo::exists(target) && QFile::copy(from.filePath(name), target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner
                                              | QFile::ReadGroup | QFile::ReadOther);
    }
}

} // namespace

bool UserMayWriteFolder(const QString& folder)
{
    // access() asks the kernel, which knows ACLs and read-only mounts too.
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QString ChooseTestsFolder(const QString& programFolder, const QString& documentsFolder,
                          const std::function<bool(const QString& folder)>& mayWrite)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("Testy"));
    const QFileInfo besideInfo(beside);
    if (besideInfo.isDir() ? mayWrite(beside) : mayWrite(programFolder))
        return WithSeparator(beside);

    if (documentsFolder.isEmpty())
        return WithSeparator(beside);
    const QString personal = QDir(documentsFolder).filePath(QStringLiteral("Testy"));
    if (QFileInfo(personal).isDir())
        return WithSeparator(personal);
    if (!QDir().mkpath(personal))
        return WithSeparator(beside);
    CopyExamples(QDir(beside), QDir(personal));
    return WithSeparator(personal);
}
