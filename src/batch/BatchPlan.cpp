#include "batch/BatchPlan.h"

#include "batch/BatchNames.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

#if defined(Q_OS_UNIX)
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

qsizetype NameBudget(const QString &folder, const QString &extension)
{
    return EngineFileNameLimit - 1 - Utf8Length(folder) - Utf8Length(extension);
}

// Whether files of the output folder exist. A run asks this of every file before the first one
// is written, while the user waits: an empty folder (a new one, usually) is seen once and holds
// nothing; otherwise the folder is opened once and each name looked up in it alone, where the
// system would walk the folder's whole path each time. A symbolic link counts as there, wherever
// it leads: the run replaces the link itself. The file system answers, so a folder that
// ignores letter case does so here too.
class TFolderLookup final
{
public:
    explicit TFolderLookup(const QString &folder)
    {
#if defined(Q_OS_UNIX)
        FFolder = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        FEmpty = FFolder >= 0 && IsEmpty(FFolder);
#endif
    }
    ~TFolderLookup()
    {
#if defined(Q_OS_UNIX)
        if (FFolder >= 0)
            ::close(FFolder);
#endif
    }
    TFolderLookup(const TFolderLookup &) = delete;
    TFolderLookup &operator=(const TFolderLookup &) = delete;

    // `name` lies in the folder (it holds no separator); `path` is the same file's full name.
    bool Exists(const QString &name, const QString &path) const
    {
#if defined(Q_OS_UNIX)
        if (FEmpty)
            return false;
        if (FFolder >= 0) {
            struct stat info {};
            return ::fstatat(FFolder, QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0;
        }
#else
        Q_UNUSED(name);
#endif
        return QFileInfo::exists(path);
    }

private:
#if defined(Q_OS_UNIX)
    // Reads the folder's entries through a copy of its descriptor: closing the listing closes the
    // copy, and the folder stays open for the lookups.
    static bool IsEmpty(int folder)
    {
        const int own = ::dup(folder);
        DIR *entries = own >= 0 ? ::fdopendir(own) : nullptr;
        if (entries == nullptr) {
            if (own >= 0)
                ::close(own);
            return false;
        }
        bool empty = true;
        while (const dirent *entry = ::readdir(entries)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                empty = false;
                break;
            }
        }
        ::closedir(entries);
        return empty;
    }
#endif

    int FFolder = -1;
    bool FEmpty = false;
};

} // namespace

TBatchPlan PlanBatch(const QStringList &strings, const QString &folder, const QString &extension)
{
    return PlanBatch(strings, strings, folder, extension);
}

TBatchPlan PlanBatch(const QStringList &strings, const QStringList &names, const QString &folder,
                     const QString &extension)
{
    Q_ASSERT(names.size() == strings.size());
    TBatchPlan plan;
    TBatchNamer namer(strings.size(), NameBudget(folder, extension));
    const TFolderLookup lookup(folder);
    plan.Items.reserve(strings.size());
    for (qsizetype i = 0; i < strings.size(); ++i) {
        TBatchItem item;
        item.Line = i + 1;
        item.Text = strings.at(i);
        const QString name = namer.NameFor(item.Line, names.at(i));
        item.BasePath = folder + name;
        item.FileName = item.BasePath + extension;
        item.Existed = lookup.Exists(name + extension, item.FileName);
        if (item.Existed)
            ++plan.ExistingCount;
        plan.Items.append(std::move(item));
    }
    return plan;
}

TBatchNamePreview PreviewBatchNames(const QStringList &names, const QString &folder,
                                    const QString &extension, qsizetype shown)
{
    TBatchNamePreview preview;
    TBatchNamer namer(names.size(), NameBudget(folder, extension));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString name = namer.NameFor(i + 1, names.at(i));
        if (i < shown)
            preview.First.append(name + extension);
    }
    preview.Numbered = namer.NumberedCount();
    return preview;
}
