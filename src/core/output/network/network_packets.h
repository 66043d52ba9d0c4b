#pragma once
// The datagrams of the three network protocols, byte for byte:
//  - E1.31 (streaming ACN): a root layer with the ACN packet identifier and
//    the sender's CID, a framing layer (source name, priority, sequence,
//    universe) and a DMP layer with start code 0 and up to 512 values; and
//    the universe synchronisation packet;
//  - Art-Net: ArtDmx with up to 512 channels (an even count) for a 15-bit
//    port-address, and ArtSync;
//  - DDP: a 10-byte header (version 1, push flag, sequence 1..15, RGB 8-bit
//    data, destination 1, byte offset and length) and up to 1,440 bytes.
// Multi-byte fields are big-endian except Art-Net's OpCode.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

using E131Cid = std::array<uint8_t, 16>;

constexpr int kE131MaxSlots = 512;
constexpr int kE131HeaderBytes = 126; // everything before the first slot
constexpr int kE131SyncBytes = 49;
constexpr uint8_t kE131Priority = 100;
// Universes E1.31 may carry; Art-Net's port-address has 15 bits.
constexpr int kE131FirstUniverse = 1;
constexpr int kE131LastUniverse = 63999;
constexpr int kArtNetLastPortAddress = 32767;
constexpr int kArtNetHeaderBytes = 18;
constexpr int kArtSyncBytes = 14;
constexpr int kDdpHeaderBytes = 10;
constexpr int kDdpMaxDataBytes = 1440;

// A data packet for `universe` with `count` values (0..512) after start code
// 0. `syncAddress` 0: the receiver shows the data at once; otherwise it
// waits for a synchronisation packet of that universe.
QByteArray e131DataPacket(const E131Cid &cid, uint8_t sequence, int universe, const uint8_t *values, int count,
                          int syncAddress = 0);
QByteArray e131SyncPacket(const E131Cid &cid, uint8_t sequence, int syncAddress);
// 239.255.hi.lo of the universe, as a host-order IPv4 number.
uint32_t e131MulticastGroup(int universe);

// ArtDmx for the 15-bit `portAddress` (Net = bits 14..8, SubUni = bits
// 7..0); an odd count is padded with one zero channel, no channel at all
// sends two.
QByteArray artDmxPacket(uint8_t sequence, int portAddress, const uint8_t *data, int count);
QByteArray artSyncPacket();

// One DDP packet of at most 1,440 bytes at `offset` of the frame's range.
QByteArray ddpPacket(uint8_t sequence, uint32_t offset, const uint8_t *data, int count, bool push);

// Sequence numbers as each protocol counts them: E1.31 0..255 round,
// Art-Net 1..255 (0 tells the node not to check), DDP 1..15.
uint8_t nextE131Sequence(uint8_t s);
uint8_t nextArtNetSequence(uint8_t s);
uint8_t nextDdpSequence(uint8_t s);

// A CID from its text form ("xxxxxxxx-xxxx-..."): nothing when the text is
// not a UUID.
bool e131CidFromText(const QString &text, E131Cid &cid);
QString e131CidText(const E131Cid &cid);
