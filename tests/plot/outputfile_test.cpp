#include "plot/outputfile.h"

#include "support/processlimits.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kText = "op,x1,y1,x2,y2,colour,width\npset,-15,0,,,#00c000,20\n";

// Writes text through an OutputFile: 0, or the errno of the failure.
int writeText(const QByteArray &name, const QByteArray &text = kText)
{
    OutputFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return file.error();
    file.write(text);
    return file.commit() ? 0 : file.error();
}

QByteArray contents(const QByteArray &name)
{
    QFile file(QFile::decodeName(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

mode_t typeOf(const QByteArray &name, bool followLinks = true)
{
    struct stat status {};
    const int result = followLinks ? ::stat(name.constData(), &status) : ::lstat(name.constData(), &status);
    return result == 0 ? status.st_mode & S_IFMT : 0;
}

mode_t permissionsOf(const QByteArray &name)
{
    struct stat status {};
    return ::stat(name.constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

class OutputFileTest : public ::testing::Test
{
protected:
    QByteArray path(const char *name) const { return QFile::encodeName(dir_.path()) + '/' + name; }
    bool leftTemporaryFiles() const
    {
        return !QDir(dir_.path()).entryList({QStringLiteral(".fieldlines-*")}, QDir::Files | QDir::Hidden).isEmpty();
    }
    QTemporaryDir dir_;
};

// A new or existing file is replaced whole, links are followed and kept,
// FIFOs and devices are written into and stay what they are, what cannot
// hold a file is refused.
TEST_F(OutputFileTest, EachKindOfTargetIsWrittenOrRefusedNeverReplaced)
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    int reader = -1;
    int descriptor = -1;
    ino_t opened = 0;
    struct Row
    {
        const char *name;
        std::function<QByteArray()> prepare;  // makes the target, returns the name to write
        int error;
        std::function<void()> check;
    };
    const Row rows[] = {
        {"new file", [&] { return path("new.csv"); }, 0,
         [&] {
             EXPECT_EQ(contents(path("new.csv")), kText);
             EXPECT_EQ(permissionsOf(path("new.csv")), 0666 & ~mask);
         }},
        {"existing file keeps its permissions",
         [&] {
             writeText(path("old.csv"), "old");
             ::chmod(path("old.csv").constData(), 0640);
             return path("old.csv");
         },
         0,
         [&] {
             EXPECT_EQ(contents(path("old.csv")), kText);
             EXPECT_EQ(permissionsOf(path("old.csv")), 0640u);
         }},
        {"link to a file",
         [&] {
             writeText(path("target.csv"), "old");
             ::symlink("target.csv", path("link.csv").constData());
             return path("link.csv");
         },
         0,
         [&] {
             EXPECT_EQ(typeOf(path("link.csv"), false), mode_t(S_IFLNK));
             EXPECT_EQ(contents(path("target.csv")), kText);
         }},
        {"dangling link",
         [&] {
             ::symlink("made.csv", path("dangling.csv").constData());
             return path("dangling.csv");
         },
         0,
         [&] {
             EXPECT_EQ(typeOf(path("dangling.csv"), false), mode_t(S_IFLNK));
             EXPECT_EQ(contents(path("made.csv")), kText);
         }},
        {"FIFO",
         [&] {
             ::mkfifo(path("pipe.csv").constData(), 0600);
             reader = ::open(path("pipe.csv").constData(), O_RDONLY | O_NONBLOCK);
             return path("pipe.csv");
         },
         0,
         [&] {
             QByteArray read(4096, '\0');
             read.resize(std::max<ssize_t>(0, ::read(reader, read.data(), read.size())));
             ::close(reader);
             EXPECT_EQ(read, kText);
             EXPECT_EQ(typeOf(path("pipe.csv")), mode_t(S_IFIFO));
         }},
        {"link to an open descriptor of a file, as /dev/stdout is",
         [&] {
             writeText(path("redirected.csv"), "old,");
             descriptor = ::open(path("redirected.csv").constData(), O_WRONLY | O_APPEND);
             struct stat status {};
             ::fstat(descriptor, &status);
             opened = status.st_ino;
             ::symlink(QByteArray("/proc/self/fd/" + QByteArray::number(descriptor)).constData(),
                       path("descriptor.csv").constData());
             return path("descriptor.csv");
         },
         0,
         [&] {
             struct stat status {};
             ::stat(path("redirected.csv").constData(), &status);
             ::close(descriptor);
             EXPECT_EQ(status.st_ino, opened);  // the same file, not a new one
             EXPECT_EQ(contents(path("redirected.csv")), "old," + kText);
         }},
        {"link to /dev/null",
         [&] {
             ::symlink("/dev/null", path("null.csv").constData());
             return path("null.csv");
         },
         0,
         [&] {
             EXPECT_EQ(typeOf(path("null.csv"), false), mode_t(S_IFLNK));
             EXPECT_EQ(typeOf("/dev/null", false), mode_t(S_IFCHR));
         }},
        {"link to /dev/full",
         [&] {
             ::symlink("/dev/full", path("full.csv").constData());
             return path("full.csv");
         },
         ENOSPC,
         [&] {
             EXPECT_EQ(typeOf(path("full.csv"), false), mode_t(S_IFLNK));
             EXPECT_EQ(typeOf("/dev/full", false), mode_t(S_IFCHR));
         }},
        {"folder",
         [&] {
             QDir(dir_.path()).mkdir(QStringLiteral("folder.csv"));
             return path("folder.csv");
         },
         EISDIR, [&] { EXPECT_EQ(typeOf(path("folder.csv")), mode_t(S_IFDIR)); }},
        {"missing folder", [&] { return path("missing/a.csv"); }, ENOENT, [] {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(writeText(row.prepare()), row.error);
        row.check();
    }
    EXPECT_FALSE(leftTemporaryFiles());
}

// A folder that lets no file be created: a writable file in it is written
// in place, with the space reserved first, so that a failure still leaves
// it as it was; a read-only one is refused.
TEST_F(OutputFileTest, FileInAReadOnlyFolderIsWrittenInPlace)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("locked")));
    const QByteArray writable = path("locked/writable.csv");
    const QByteArray readOnly = path("locked/read-only.csv");
    const QByteArray old(1000, 'o');
    ASSERT_EQ(writeText(writable, old), 0);
    ASSERT_EQ(writeText(readOnly, old), 0);
    ::chmod(writable.constData(), 0666);
    ::chmod(readOnly.constData(), 0444);
    ::chmod(path("locked").constData(), 0555);
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0755);

    struct Row
    {
        const char *name;
        QByteArray file;
        rlim_t sizeLimit;
        int error;
        QByteArray after;
    };
    const Row rows[] = {
        {"more than the file may hold", writable, 2000, EFBIG, old},
        {"read-only file", readOnly, RLIM_INFINITY, EACCES, old},
        {"writable file", writable, RLIM_INFINITY, 0, kText},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        {
            const AsUnprivileged unprivileged;
            const FileSizeLimit limit(row.sizeLimit);
            EXPECT_EQ(writeText(row.file, row.error == EFBIG ? QByteArray(2500, 'n') : kText), row.error);
        }
        EXPECT_EQ(contents(row.file), row.after);
    }
    ::chmod(path("locked").constData(), 0755);
}

// A write-protected file in a folder where anyone may create files: a user
// who may not write it is refused, as cp refuses, and it stays; root may
// replace it.
TEST_F(OutputFileTest, WriteProtectedFileIsReplacedOnlyByRoot)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("shared")));
    ::chmod(QFile::encodeName(dir_.path()).constData(), 0755);
    ::chmod(path("shared").constData(), 0777);
    const QByteArray file = path("shared/protected.csv");
    struct Row
    {
        const char *name;
        bool asRoot;
        int error;
        QByteArray after;
    };
    const Row rows[] = {
        {"a user", false, EACCES, "old"},
        {"root", true, 0, kText},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.asRoot && ::geteuid() != 0)
            continue;
        ASSERT_EQ(writeText(file, "old"), 0);
        ::chmod(file.constData(), 0444);
        if (row.asRoot) {
            EXPECT_EQ(writeText(file), row.error);
        } else {
            const AsUnprivileged unprivileged;
            EXPECT_EQ(writeText(file), row.error);
        }
        EXPECT_EQ(contents(file), row.after);
        EXPECT_EQ(permissionsOf(file), 0444u);
        ::unlink(file.constData());
    }
    EXPECT_TRUE(QDir(QFile::decodeName(path("shared"))).entryList(QDir::Hidden | QDir::Files).isEmpty());
}

// A program ended by a signal while it writes (the terminal closed, Ctrl+C,
// kill) removes its temporary file and ends as the signal says; the old
// file stays.
TEST_F(OutputFileTest, EndingSignalsRemoveTheTemporaryFile)
{
    const QByteArray file = path("interrupted.csv");
    ASSERT_EQ(writeText(file, "old"), 0);
    for (const int signal : {SIGHUP, SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(signal, SIG_DFL);
            OutputFile::removeTemporaryOnSignals();
            OutputFile output(file);
            if (output.open(QIODevice::WriteOnly) && output.write(kText) == kText.size())
                ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(contents(file), "old");
        EXPECT_FALSE(leftTemporaryFiles());
    }
}

TEST(OutputFileNameTest, NamesKeepTheirBytesThroughAString)
{
    const QByteArray names[] = {
        "plain.png",
        "电场线.png",
        "caf\xe9.png",             // Latin-1
        "\xff\xfe.csv",            // bytes no UTF-8 starts with
        "\xc0\xaf.svg",            // an overlong '/'
        "\xed\xa0\x80.png",        // an encoded surrogate
        "\xe2\x82.png",            // a cut sequence
        "\xf4\x90\x80\x80.png",    // beyond U+10FFFF
        "\xf0\x9f\x98\x80.png",    // U+1F600, valid
    };
    for (const QByteArray &name : names) {
        SCOPED_TRACE(name.toHex().toStdString());
        EXPECT_EQ(OutputFile::encodeName(OutputFile::decodeName(name)), name);
    }
    EXPECT_EQ(OutputFile::decodeName("电场线.png"), QStringLiteral("电场线.png"));
}

}  // namespace
