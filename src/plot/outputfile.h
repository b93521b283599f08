#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

struct stat;

// A picture file written whole or not at all: nothing that fails half way
// may cost the user the file that was there before.
//
// - A regular file, new or existing (also behind symbolic links, which are
//   followed and kept), is written to a temporary file in the same folder,
//   flushed to the disk and renamed over the target only when every byte
//   got there. After any failure the old file is byte-identical and no
//   temporary file is left.
// - An existing file is replaced only by a user who may write it, as cp
//   would: a write-protected file is refused with EACCES even where the
//   folder would let a new file take its place (root may replace it).
// - An existing file in a folder where no new file may be created is
//   written in place: the bytes are kept in memory, the space for all of
//   them is reserved, and only then is the file overwritten.
// - An existing FIFO or character device (a terminal, /dev/null), and the
//   names of descriptors already open (/dev/stdout, /dev/fd/N,
//   /proc/self/fd/N), are written directly and never replaced. Folders,
//   block devices and sockets are refused.
//
// Every failure is kept as its errno (error()): the first write that fails
// fails every later one, and commit() reports it; nothing is buffered where
// an error could go unseen.
//
// Names are bytes, as the system knows them; encodeName and decodeName
// carry a name that is not UTF-8 through a QString unchanged.
class OutputFile : public QIODevice
{
public:
    explicit OutputFile(QByteArray name);
    ~OutputFile() override;

    // Only QIODevice::WriteOnly. False, with error(), when the file cannot be
    // written at all; nothing was changed then.
    bool open(OpenMode mode) override;
    // Ends writing and puts the file in place. False, with error(), when
    // any write failed or the file could not be put in place.
    bool commit();
    // Gives up: removes the temporary file; the target stays as it was.
    void close() override;

    // Makes SIGHUP, SIGINT and SIGTERM remove the temporary file being
    // written, if there is one, before they end the program as they would
    // have without a handler. For a program that ends on those signals (the
    // command line); a signal ignored when this is called stays ignored.
    static void removeTemporaryOnSignals();

    // The errno of the first failure, 0 while there is none.
    int error() const { return error_; }

    bool isSequential() const override { return true; }

    // A file name's bytes and back. Bytes that are not UTF-8 become the
    // lone surrogates U+DC80 … U+DCFF and return as the same bytes, so a
    // name from the command line is written, and printed, exactly as given.
    static QString decodeName(const QByteArray &bytes);
    static QByteArray encodeName(const QString &name);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    enum class Mode { Replace, InPlace, Direct };

    bool prepare();
    bool openTemporary(const QByteArray &target, const struct ::stat *existing);
    // descriptor: the name leads to one of the descriptor names, which may
    // stand for a regular file.
    bool openDirectly(bool descriptor);
    bool writePending();
    bool fail(int cause);
    void discard();
    void forgetTemporary();

    QByteArray name_;
    QByteArray target_;     // Replace: the file renamed over, links resolved
    QByteArray temporary_;  // Replace: the temporary file while it exists
    bool signalsKnowTemporary_ = false;  // the signals' handler would remove it
    QByteArray pending_;    // InPlace: everything written so far
    Mode mode_ = Mode::Replace;
    int fd_ = -1;
    int error_ = 0;
};
