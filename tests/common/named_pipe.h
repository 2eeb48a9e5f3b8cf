#pragma once

// A named pipe (a FIFO) for a reader that cannot seek: `bytes` are written
// into it from a thread of the test once a reader opens it, and the write end
// is closed after them, as a shell's `printf ... > fifo &` would do.
//   NamedPipe pipe(dir.filePath("words"), "cat dog\n");
//   read pipe.path() ...
// A pipe that no reader opened is opened here at the end, so that the
// writing thread always ends; the bytes should fit the pipe's buffer (64 KiB).

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quarrin::test {

class NamedPipe
{
public:
    NamedPipe(const QString &path, QByteArray bytes) : m_path(path)
    {
        const QByteArray name = QFile::encodeName(path);
        m_made = ::mkfifo(name.constData(), 0600) == 0;
        if (!m_made)
            return;
        m_writer = std::thread([name, bytes = std::move(bytes)] {
            // A reader that leaves early makes the write fail, not the test.
            sigset_t pipeSignal;
            sigemptyset(&pipeSignal);
            sigaddset(&pipeSignal, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
            // Blocks until a reader opens the pipe.
            const int fd = ::open(name.constData(), O_WRONLY);
            if (fd < 0)
                return;
            qsizetype done = 0;
            while (done < bytes.size()) {
                const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
                if (n <= 0)
                    break;
                done += n;
            }
            ::close(fd);
        });
    }
    ~NamedPipe()
    {
        if (!m_made)
            return;
        // A read end that does not wait, should the writer still wait for one;
        // whatever it wrote is dropped with it.
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK);
        m_writer.join();
        if (fd >= 0)
            ::close(fd);
        ::unlink(QFile::encodeName(m_path).constData());
    }
    NamedPipe(const NamedPipe &) = delete;
    NamedPipe &operator=(const NamedPipe &) = delete;

    // False when no FIFO could be made there.
    bool made() const { return m_made; }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    bool m_made = false;
    std::thread m_writer;
};

} // namespace quarrin::test
