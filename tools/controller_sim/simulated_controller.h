#pragma once
// An LED controller that lives on the far side of a pseudo-terminal, for the
// tests and for anyone without the hardware. The editor or brightloom-cli
// opens the pseudo-terminal's device path as its serial port; the
// controller reads the packets, checks every checksum, length and sequence
// number, answers as a controller would (or, on request, with 0xFE,
// garbage, silence, or by hanging up) and keeps what it received.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class SimulatedController
{
public:
    enum class Behaviour {
        Accept,  // 'U' to every sound packet
        Again,   // 0xFE
        Garbage, // three bytes that are no reply (one of them a 'U')
        Silent,  // no answer
        HangUp,  // closes its end without answering
    };

    struct Options
    {
        Behaviour behaviour = Behaviour::Accept;
        // The behaviour starts at this packet: 0 is the header, k the data
        // packet with sequence number k. Packets before it are accepted.
        int from = 0;
    };

    // What arrived since the last header that opened a transfer.
    struct Record
    {
        std::vector<uint8_t> header;  // the last header received (13 bytes)
        std::vector<uint8_t> payload; // in sequence order, repetitions once, pad bytes dropped
        bool programUpdate = false;   // the header announced a program update
        bool complete = false;        // the announced last packet arrived and was accepted
        int headerSends = 0;          // headers received, repetitions included
        int dataSends = 0;            // data packets received, repetitions included
        bool hungUp = false;
        std::vector<std::string> faults; // anything a real controller would reject
    };

    SimulatedController();
    explicit SimulatedController(Options options);
    ~SimulatedController();
    SimulatedController(const SimulatedController &) = delete;
    SimulatedController &operator=(const SimulatedController &) = delete;

    // Opens the pseudo-terminal pair and starts answering. False with the
    // reason when the system has no pseudo-terminal to give.
    bool start(std::string *error = nullptr);
    void stop();

    // The device path to open as the serial port ("/dev/pts/7").
    const std::string &portPath() const { return m_path; }

    // Waits until a transfer is complete or the controller hung up; false
    // when `milliseconds` passed first.
    bool waitUntilDone(int milliseconds);

    // Waits until `packets` packets have arrived and each got its answer (or
    // none, as the behaviour has it), and the last answer is there to be read
    // at the port's end; true at once after a hang-up. False when
    // `milliseconds` passed first. A sender that waits for this before
    // reading never misses an answer because this thread was slow to run.
    // Call it while nothing more is on its way to the controller.
    bool waitUntilAnswered(int packets, int milliseconds);

    Record record() const;

    // The announced packet count and payload size of a frame-send header
    // (size = payload bytes + packets - 1, low 16 bits).
    static int announcedPackets(const std::vector<uint8_t> &header);

private:
    void run();
    void take(const uint8_t *bytes, size_t n);
    void handlePacket(const std::vector<uint8_t> &packet);
    void handleHeader(const std::vector<uint8_t> &packet, int &position);
    void handleData(const std::vector<uint8_t> &packet, int &position);
    void answer(int position);
    void hangUp();
    void fault(std::string what);

    Options m_options;
    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up between two opens
    int m_wake[2] = {-1, -1};
    std::string m_path;
    std::thread m_thread;
    std::vector<uint8_t> m_buffer;
    int m_lastSequence = 0;
    int m_expectedPackets = 0;
    int m_answerBytes = 0; // of the packet being handled

    mutable std::mutex m_mutex;
    std::condition_variable m_done;
    Record m_record;
    int m_packetsTaken = 0;    // every whole packet, answered or not
    int m_lastAnswerBytes = 0; // what the last of them was answered with
};
