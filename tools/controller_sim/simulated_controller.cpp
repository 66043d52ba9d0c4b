#include "simulated_controller.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr uint8_t kAccept = 0x55;
constexpr uint8_t kAgain = 0xFE;
constexpr uint8_t kHeaderKind = 0xA1;
constexpr uint8_t kDataKind = 0xA6;
constexpr size_t kHeaderSize = 13;
constexpr size_t kFullSize = 72;
// The program update's header after the two 'P'.
constexpr uint8_t kUpdateHeader[] = {0x0B, 0xA1, 0x40, 0x00, 0x0A, 0x08, 0x00, 0x00, 0x10};

int word(const std::vector<uint8_t> &p, size_t at) { return p[at] | (p[at + 1] << 8); }

bool checksumHolds(const std::vector<uint8_t> &p)
{
    unsigned sum = 0;
    for (size_t i = 2; i + 2 < p.size(); ++i)
        sum += p[i];
    return (sum & 0xFFFF) == unsigned(word(p, p.size() - 2));
}

void writeAll(int fd, const uint8_t *bytes, size_t n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, bytes, n);
        if (w < 0 && errno == EINTR)
            continue;
        if (w <= 0)
            return;
        bytes += w;
        n -= size_t(w);
    }
}

} // namespace

SimulatedController::SimulatedController() : SimulatedController(Options{}) {}

SimulatedController::SimulatedController(Options options) : m_options(options) {}

SimulatedController::~SimulatedController()
{
    stop();
}

bool SimulatedController::start(std::string *error)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0 || ::pipe(m_wake) != 0) {
        if (error)
            *error = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    // A raw line both ways, as a real serial line is: no echo, no line
    // editing, no newline translation.
    termios t{};
    ::tcgetattr(m_slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(m_slave, TCSANOW, &t);
    m_path = name;
    m_thread = std::thread([this] { run(); });
    return true;
}

void SimulatedController::stop()
{
    if (m_thread.joinable()) {
        const uint8_t b = 1;
        writeAll(m_wake[1], &b, 1);
        m_thread.join();
    }
    for (int *fd : {&m_master, &m_slave, &m_wake[0], &m_wake[1]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

bool SimulatedController::waitUntilDone(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, std::chrono::milliseconds(milliseconds),
                           [this] { return m_record.complete || m_record.hungUp; });
}

bool SimulatedController::waitUntilAnswered(int packets, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    int answerBytes = 0;
    int portEnd = -1;
    {
        std::unique_lock lock(m_mutex);
        if (!m_done.wait_until(lock, deadline, [&] { return m_record.hungUp || m_packetsTaken >= packets; }))
            return false;
        if (m_record.hungUp)
            return true;
        answerBytes = m_lastAnswerBytes;
        portEnd = m_slave;
    }
    // The answer crosses the pseudo-terminal on the system's schedule, not
    // this thread's: it is there once the port's end has it to read.
    while (true) {
        int waiting = 0;
        if (::ioctl(portEnd, FIONREAD, &waiting) != 0 || waiting >= answerBytes)
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{portEnd, POLLIN, 0};
        if (::poll(&fd, 1, int(std::min<long long>(left.count(), 5))) > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1)); // part of the answer is there
    }
}

SimulatedController::Record SimulatedController::record() const
{
    std::lock_guard lock(m_mutex);
    return m_record;
}

int SimulatedController::announcedPackets(const std::vector<uint8_t> &header)
{
    return header.size() == kHeaderSize ? word(header, 4) : 0;
}

void SimulatedController::run()
{
    uint8_t bytes[4096];
    while (true) {
        pollfd fds[2] = {{m_wake[0], POLLIN, 0}, {m_master, POLLIN, 0}};
        const int nfds = m_master >= 0 ? 2 : 1;
        if (::poll(fds, nfds_t(nfds), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents)
            return;
        if (nfds < 2 || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t n = ::read(m_master, bytes, sizeof bytes);
        if (n > 0) {
            take(bytes, size_t(n));
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            // Nobody has the port open just now; wait for the next opener.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

void SimulatedController::take(const uint8_t *bytes, size_t n)
{
    m_buffer.insert(m_buffer.end(), bytes, bytes + n);
    while (m_master >= 0) {
        size_t stray = 0;
        while (m_buffer.size() - stray >= 2 && !(m_buffer[stray] == 'P' && m_buffer[stray + 1] == 'P'))
            ++stray;
        if (stray) {
            fault(std::to_string(stray) + " bytes outside any packet");
            m_buffer.erase(m_buffer.begin(), m_buffer.begin() + long(stray));
        }
        if (m_buffer.size() < 4)
            return;
        size_t size = 0;
        if (m_buffer[3] == kHeaderKind) {
            size = kHeaderSize;
        } else if (m_buffer[3] == kDataKind && m_buffer[2] >= 7 && m_buffer[2] <= 0x46) {
            size = size_t(m_buffer[2]) + 2; // length code L + 6, packet L + 8
        } else {
            fault("a packet of unknown kind or length");
            m_buffer.erase(m_buffer.begin(), m_buffer.begin() + 2);
            continue;
        }
        if (m_buffer.size() < size)
            return;
        const std::vector<uint8_t> packet(m_buffer.begin(), m_buffer.begin() + long(size));
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + long(size));
        handlePacket(packet);
    }
}

void SimulatedController::handlePacket(const std::vector<uint8_t> &packet)
{
    m_answerBytes = 0;
    int position = 0;
    if (!checksumHolds(packet)) {
        // A controller does not answer what it cannot trust; the sender
        // tries again.
        fault("checksum wrong in a packet of " + std::to_string(packet.size()) + " bytes");
    } else if (packet[3] == kHeaderKind) {
        handleHeader(packet, position);
    } else {
        handleData(packet, position);
    }
    std::lock_guard lock(m_mutex);
    ++m_packetsTaken;
    m_lastAnswerBytes = m_answerBytes;
    m_done.notify_all();
}

void SimulatedController::handleHeader(const std::vector<uint8_t> &packet, int &position)
{
    position = 0;
    {
        std::lock_guard lock(m_mutex);
        ++m_record.headerSends;
        m_record.header = packet;
        m_record.payload.clear();
        m_record.complete = false;
        m_record.programUpdate = std::equal(std::begin(kUpdateHeader), std::end(kUpdateHeader), packet.begin() + 2);
    }
    m_lastSequence = 0;
    m_expectedPackets = word(packet, 4);
    if (m_expectedPackets < 1)
        fault("header announces no packets");
    answer(position);
}

void SimulatedController::handleData(const std::vector<uint8_t> &packet, int &position)
{
    const int sequence = word(packet, 4);
    position = sequence;
    bool programUpdate = false;
    {
        std::lock_guard lock(m_mutex);
        ++m_record.dataSends;
        programUpdate = m_record.programUpdate;
    }
    if (m_expectedPackets < 1) {
        fault("data packet " + std::to_string(sequence) + " without a header");
        return;
    }
    if (sequence >= 1 && sequence == m_lastSequence) {
        answer(position); // a repetition: the answer was lost or not liked
        return;
    }
    if (sequence != m_lastSequence + 1 || sequence > m_expectedPackets) {
        fault("data packet " + std::to_string(sequence) + " after " + std::to_string(m_lastSequence) + " of "
              + std::to_string(m_expectedPackets));
        return;
    }
    const bool last = sequence == m_expectedPackets;
    std::vector<uint8_t> payload(packet.begin() + 6, packet.end() - 2);
    if (!last || programUpdate) {
        if (packet.size() != kFullSize) {
            fault("packet " + std::to_string(sequence) + " is " + std::to_string(packet.size())
                  + " bytes, not a full packet");
            return;
        }
        if (!programUpdate) {
            if (payload.back() != 0)
                fault("pad byte of packet " + std::to_string(sequence) + " is not 0");
            payload.pop_back();
        }
    }
    // A controller asking for the packet again has not taken it.
    const bool behaving = position >= m_options.from && m_options.behaviour != Behaviour::Accept;
    if (behaving && m_options.behaviour == Behaviour::HangUp) {
        hangUp();
        return;
    }
    if (!(behaving && m_options.behaviour == Behaviour::Again)) {
        m_lastSequence = sequence;
        std::lock_guard lock(m_mutex);
        m_record.payload.insert(m_record.payload.end(), payload.begin(), payload.end());
    }
    answer(position);
    if (last && !behaving) {
        std::lock_guard lock(m_mutex);
        const size_t bytes = m_record.payload.size();
        const bool sizeHolds = programUpdate ? bytes == 4096
                                             : ((bytes + size_t(m_expectedPackets) - 1) & 0xFFFF)
                                                   == size_t(word(m_record.header, 9));
        if (!sizeHolds)
            m_record.faults.push_back("payload of " + std::to_string(bytes) + " bytes does not match the header");
        m_record.complete = true;
        m_done.notify_all();
    }
}

void SimulatedController::answer(int position)
{
    if (m_master < 0)
        return;
    switch (position >= m_options.from ? m_options.behaviour : Behaviour::Accept) {
    case Behaviour::Accept:
        writeAll(m_master, &kAccept, 1);
        m_answerBytes = 1;
        break;
    case Behaviour::Again:
        writeAll(m_master, &kAgain, 1);
        m_answerBytes = 1;
        break;
    case Behaviour::Garbage: {
        static const uint8_t noise[] = {0x3F, kAccept, 0x00};
        writeAll(m_master, noise, sizeof noise);
        m_answerBytes = int(sizeof noise);
        break;
    }
    case Behaviour::Silent:
        break;
    case Behaviour::HangUp:
        hangUp();
        break;
    }
}

void SimulatedController::hangUp()
{
    std::lock_guard lock(m_mutex); // waitUntilAnswered looks at the port's end
    ::close(m_master);
    ::close(m_slave);
    m_master = m_slave = -1;
    m_record.hungUp = true;
    m_done.notify_all();
}

void SimulatedController::fault(std::string what)
{
    std::lock_guard lock(m_mutex);
    m_record.faults.push_back(std::move(what));
}
