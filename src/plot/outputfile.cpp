#include "plot/outputfile.h"

#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names that stand for a descriptor the program already has open, such as
// its standard output: writing to one is writing to that descriptor, so the
// file behind it is neither replaced nor truncated.
bool namesADescriptor(const QByteArray &path)
{
    static const QRegularExpression pattern(
        QStringLiteral("^/(dev/(stdout|stderr|fd/\\d+)|proc/(self|thread-self|\\d+)/fd/\\d+)$"));
    return pattern.match(QString::fromLatin1(path)).hasMatch();
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// Where the symbolic link at path points, relative targets made relative to
// the link's folder; empty, with errno, when it cannot be read.
QByteArray linkTarget(const QByteArray &path)
{
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(path.constData(), buffer, sizeof buffer);
    if (length < 0)
        return {};
    if (length == ssize_t(sizeof buffer)) {
        errno = ENAMETOOLONG;
        return {};
    }
    const QByteArray target(buffer, length);
    return target.startsWith('/') ? target : folderOf(path) + '/' + target;
}

// Writes all of data, resuming after short writes; false, with errno, when
// the system refuses a byte.
bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(std::min<qint64>(size, qint64(1) << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// The permissions of a newly created file: 0666 less the process's umask.
mode_t creationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The signals that end a program from outside: the terminal closed, Ctrl+C,
// kill.
constexpr int kEndingSignals[] = {SIGHUP, SIGINT, SIGTERM};

sigset_t endingSignals()
{
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signal : kEndingSignals)
        ::sigaddset(&set, signal);
    return set;
}

// Holds the ending signals back in this thread for its life, so that the
// temporary file and what the handler knows of it change together.
class EndingSignalsHeld
{
public:
    EndingSignalsHeld()
    {
        const sigset_t set = endingSignals();
        ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
    }
    ~EndingSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    EndingSignalsHeld(const EndingSignalsHeld &) = delete;
    EndingSignalsHeld &operator=(const EndingSignalsHeld &) = delete;

private:
    sigset_t previous_;
};

// The one temporary file in progress, for the signal handler: its name is
// written before temporaryKnown is set and read only while it is.
char temporaryName[PATH_MAX + 1];
std::atomic<bool> temporaryKnown{false};
static_assert(std::atomic<bool>::is_always_lock_free, "read in a signal handler");

extern "C" void removeTemporaryAndEnd(int signal)
{
    if (temporaryKnown.load())
        ::unlink(temporaryName);
    // The handler was reset to the default action on entry (SA_RESETHAND)
    // and the signal is held while it runs: raised again, it ends the
    // program as soon as the handler returns, with the status it would have
    // had.
    ::raise(signal);
}

}  // namespace

void OutputFile::removeTemporaryOnSignals()
{
    struct sigaction action {};
    action.sa_handler = removeTemporaryAndEnd;
    action.sa_mask = endingSignals();
    action.sa_flags = SA_RESETHAND;
    for (const int signal : kEndingSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

OutputFile::OutputFile(QByteArray name)
    : name_(std::move(name))
{
}

OutputFile::~OutputFile()
{
    discard();
}

bool OutputFile::open(OpenMode mode)
{
    if (isOpen() || mode != WriteOnly) {
        error_ = EINVAL;
        return false;
    }
    error_ = 0;
    if (!prepare()) {
        discard();
        return false;
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

bool OutputFile::prepare()
{
    QByteArray path = name_;
    for (int links = 0;; ++links) {
        if (namesADescriptor(path))
            return openDirectly(true);
        struct stat status;
        if (::lstat(path.constData(), &status) != 0)
            return errno == ENOENT ? openTemporary(path, nullptr) : fail(errno);
        if (S_ISLNK(status.st_mode)) {
            if (links == 40)
                return fail(ELOOP);
            path = linkTarget(path);
            if (path.isEmpty())
                return fail(errno);
            continue;
        }
        if (S_ISREG(status.st_mode))
            return openTemporary(path, &status);
        if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode))
            return openDirectly(false);
        return fail(S_ISDIR(status.st_mode) ? EISDIR : ENODEV);
    }
}

bool OutputFile::openTemporary(const QByteArray &target, const struct ::stat *existing)
{
    // As cp: a file the user may not write is not replaced, although the
    // folder would let the new file be renamed over it. Root may.
    if (existing && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0
        && (errno == EACCES || errno == EPERM))
        return fail(errno);
    target_ = target;
    temporary_ = folderOf(target) + "/.fieldlines-XXXXXX";
    int cause = 0;
    {
        const EndingSignalsHeld held;
        fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
        cause = errno;
        if (fd_ >= 0 && !temporaryKnown.load() && std::size_t(temporary_.size()) < sizeof temporaryName) {
            std::memcpy(temporaryName, temporary_.constData(), std::size_t(temporary_.size()) + 1);
            temporaryKnown.store(true);
            signalsKnowTemporary_ = true;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        // A folder that lets no file be created may still hold a target
        // that may be written: write that one in place.
        if (!existing || (cause != EACCES && cause != EPERM))
            return fail(cause);
        fd_ = ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0)
            return fail(errno);
        mode_ = Mode::InPlace;
        return true;
    }
    mode_ = Mode::Replace;
    // The new file gets the old one's permissions and, where allowed, its
    // owner; a new name gets what any new file would.
    if (existing) {
        ::fchmod(fd_, existing->st_mode & 07777);
        if (::fchown(fd_, existing->st_uid, existing->st_gid) != 0) {
            // Only the owner may give a file away; ours it stays.
        }
    } else {
        ::fchmod(fd_, creationMode());
    }
    return true;
}

bool OutputFile::openDirectly(bool descriptor)
{
    // Appending: a standard output redirected into a file with >> keeps
    // what it holds, as it would for any program writing there.
    fd_ = ::open(name_.constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0)
        return fail(errno);
    struct stat status;
    if (::fstat(fd_, &status) != 0)
        return fail(errno);
    const bool regular = S_ISREG(status.st_mode) && descriptor;
    if (!regular && !S_ISFIFO(status.st_mode) && !S_ISCHR(status.st_mode))
        return fail(ENODEV);
    mode_ = Mode::Direct;
    return true;
}

qint64 OutputFile::writeData(const char *data, qint64 size)
{
    if (error_)
        return -1;
    if (mode_ == Mode::InPlace) {
        // Encoders call this from C code (libpng): no exception may pass.
        try {
            pending_.append(data, size);
        } catch (const std::bad_alloc &) {
            fail(ENOMEM);
            return -1;
        }
        return size;
    }
    if (!writeAll(fd_, data, size)) {
        fail(errno);
        return -1;
    }
    return size;
}

bool OutputFile::writePending()
{
#ifdef __linux__
    // Reserving the space first means a full disk is found before a single
    // byte of the old file is overwritten. File systems that cannot
    // reserve space are written without.
    if (!pending_.isEmpty() && ::fallocate(fd_, 0, 0, off_t(pending_.size())) != 0 && errno != EOPNOTSUPP
        && errno != ENOSYS)
        return fail(errno);
#endif
    if (!writeAll(fd_, pending_.constData(), pending_.size()) || ::ftruncate(fd_, off_t(pending_.size())) != 0)
        return fail(errno);
    return true;
}

bool OutputFile::commit()
{
    if (!isOpen())
        return false;
    QIODevice::close();
    if (!error_ && mode_ == Mode::InPlace)
        writePending();
    // A pipe or a terminal cannot be synced; a file must reach the disk
    // before it replaces the old one.
    if (!error_ && mode_ != Mode::Direct && ::fsync(fd_) != 0)
        fail(errno);
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0 && !error_ && errno != EINTR)
        fail(errno);
    if (!error_ && mode_ == Mode::Replace) {
        const EndingSignalsHeld held;
        if (::rename(temporary_.constData(), target_.constData()) == 0)
            forgetTemporary();
        else
            fail(errno);
    }
    discard();
    return error_ == 0;
}

void OutputFile::close()
{
    if (!isOpen())
        return;
    QIODevice::close();
    discard();
}

bool OutputFile::fail(int cause)
{
    if (!error_)
        error_ = cause ? cause : EIO;
    return false;
}

void OutputFile::discard()
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
    if (!temporary_.isEmpty()) {
        const EndingSignalsHeld held;
        ::unlink(temporary_.constData());
        forgetTemporary();
    }
    pending_.clear();
}

void OutputFile::forgetTemporary()
{
    temporary_.clear();
    if (std::exchange(signalsKnowTemporary_, false))
        temporaryKnown.store(false);
}

QString OutputFile::decodeName(const QByteArray &bytes)
{
    QString name;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned lead = data[i];
        const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4                 ? 4
                                                                        : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            valid = (data[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (data[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF are
        // not UTF-8 either.
        if (valid && length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (valid && length == 4 && (code < 0x10000 || code > 0x10FFFF))
            valid = false;
        if (!valid) {
            name += QChar(char16_t(0xDC00 + lead));
            ++i;
            continue;
        }
        name += QString::fromUcs4(&code, 1);
        i += length;
    }
    return name;
}

QByteArray OutputFile::encodeName(const QString &name)
{
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        const bool pairEnd = i > 0 && name.at(i - 1).isHighSurrogate();
        if (unit < 0xDC80 || unit > 0xDCFF || pairEnd)
            continue;
        bytes += QStringView(name).mid(from, i - from).toUtf8();
        bytes += char(unit - 0xDC00);
        from = i + 1;
    }
    bytes += QStringView(name).mid(from).toUtf8();
    return bytes;
}
