#include "fake_usb_transport.h"
#include "scripted_prompt.h"

#include "links/usb/usb_link.h"
#include "links/usb/usb_messages.h"

#include <gtest/gtest.h>

namespace {

using UsbBytes = std::vector<uint8_t>;

// Payload bytes numbered 0, 1, 2 ... (mod 256), so a misplaced cut shows.
UsbBytes numberedPayload(int size)
{
    UsbBytes b(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        b[size_t(i)] = uint8_t(i);
    return b;
}

UsbBytes usbHead(const UsbBytes &b, size_t n) { return UsbBytes(b.begin(), b.begin() + long(std::min(n, b.size()))); }

struct UsbBench
{
    UsbEnglishTexts texts;
    FakeUsbTransport bus;
    ScriptedPrompt prompt;
    UsbLink link{bus, prompt};

    UsbBench()
    {
        bus.devices = {{QStringLiteral("usb:1-4"), QStringLiteral("0483:5750:A1")}};
        link.openLink();
    }
};

} // namespace

// --- chunking and announced sizes ----------------------------------------------

TEST(UsbPayloadFraming, FullChunkOf504IsAnnouncedAs508)
{
    UsbBench run;
    const UsbBytes payload = numberedPayload(504);
    ASSERT_EQ(run.link.transferPayload(payload), UsbTransferResult::Success);
    ASSERT_EQ(run.bus.writes.size(), 2u);
    EXPECT_EQ(run.bus.writes[0], (UsbBytes{0x01, 0xFC, 0x01})); // 508 = 0x01FC
    const UsbBytes &chunk = run.bus.writes[1];
    ASSERT_EQ(chunk.size(), 508u);
    EXPECT_EQ(usbHead(chunk, 6), (UsbBytes{0x03, 0x01, 0xF8, 0x01, 0x00, 0x01})); // last, 504 = 0x01F8
    EXPECT_EQ(chunk.back(), 503 % 256);
    EXPECT_EQ(run.bus.events, "wwr"); // the size message is not acknowledged
}

TEST(UsbPayloadFraming, OneByteMoreNeedsASecondChunkOfFiveBytes)
{
    UsbBench run;
    ASSERT_EQ(run.link.transferPayload(numberedPayload(505)), UsbTransferResult::Success);
    ASSERT_EQ(run.bus.writes.size(), 3u);
    EXPECT_EQ(run.bus.writes[0], (UsbBytes{0x01, 0x01, 0x02})); // 505 + 2 x 4 = 513 = 0x0201
    EXPECT_EQ(run.bus.writes[1].size(), 508u);
    EXPECT_EQ(usbHead(run.bus.writes[1], 4), (UsbBytes{0x03, 0x00, 0xF8, 0x01})); // not the last
    EXPECT_EQ(run.bus.writes[2], (UsbBytes{0x03, 0x01, 0x01, 0x00, 504 % 256}));
    EXPECT_EQ(run.bus.events, "wwrwr");
    EXPECT_EQ(run.bus.readTimeouts, (std::vector<int>{2000, 2000}));
}

TEST(UsbPayloadFraming, EmptyPayloadIsOnlyAnnounced)
{
    UsbBench run;
    EXPECT_EQ(run.link.transferPayload({}), UsbTransferResult::Success);
    EXPECT_EQ(run.bus.writes, (std::vector<UsbBytes>{{0x01, 0x00, 0x00}}));
    EXPECT_EQ(run.bus.events, "w");
}

TEST(UsbPayloadFraming, AnnouncedSizeCountsFourBytesPerChunk)
{
    EXPECT_EQ(UsbMessage::announcedPayloadSize(1), 5);
    EXPECT_EQ(UsbMessage::announcedPayloadSize(1008), 1016);
    EXPECT_EQ(UsbMessage::announcedPayloadSize(1009), 1021);
    EXPECT_EQ(UsbMessage::chunkCount(0), 0);
}

TEST(UsbPayloadFraming, PayloadBeyondSixteenBitsIsRefusedBeforeAnythingIsSent)
{
    UsbBench run;
    // 65,000 bytes need 129 chunks: 65,516 still fits; 65,100 bytes need
    // 130 chunks and 65,620 does not.
    EXPECT_EQ(run.link.transferPayload(numberedPayload(65000)), UsbTransferResult::Success);
    EXPECT_EQ(run.bus.writes[0], (UsbBytes{0x01, 0xEC, 0xFF}));
    run.bus.writes.clear();
    EXPECT_EQ(run.link.transferPayload(numberedPayload(65100)), UsbTransferResult::Failed);
    EXPECT_TRUE(run.bus.writes.empty());
    EXPECT_EQ(run.prompt.lastText(),
              QStringLiteral("The frame is too large for the USB controller: it takes at most 65535 bytes per "
                             "transfer, this one needs 65620."));
}

// --- acknowledgement -------------------------------------------------------------

TEST(UsbAcknowledgement, ZeroClosesTheLinkAndTheNextChunkFailsTheTransfer)
{
    UsbBench run;
    run.bus.answer = [](const UsbBytes &, int) { return std::optional<uint8_t>(0x00); };
    EXPECT_EQ(run.link.transferPayload(numberedPayload(1008)), UsbTransferResult::Failed);
    EXPECT_FALSE(run.link.isOpen());
    EXPECT_EQ(run.bus.writes.size(), 2u); // the size message and chunk 1; chunk 2 finds the link closed
    EXPECT_EQ(run.prompt.texts(),
              QStringList{QStringLiteral("Target device failure while sending file data.\nCheck file size.")});
}

TEST(UsbAcknowledgement, NoAnswerWithinTwoSecondsClosesTheLink)
{
    UsbBench run;
    run.bus.answer = nullptr;
    EXPECT_EQ(run.link.transferBlock(controllerCommand(ControllerCommandCode::Stop)), UsbTransferResult::Success);
    EXPECT_EQ(run.bus.readTimeouts, std::vector<int>{2000});
    EXPECT_FALSE(run.link.isOpen());
    EXPECT_TRUE(run.prompt.shown.empty()); // a lost acknowledgement shows nothing by itself
    // The next transfer then fails at its size message.
    EXPECT_EQ(run.link.transferBlock(controllerCommand(ControllerCommandCode::Play)), UsbTransferResult::Failed);
    EXPECT_EQ(run.prompt.lastText(), QStringLiteral("Target device failure while sending file size information."));
}

TEST(UsbAcknowledgement, ARefusedChunkEndsTheTransferBeforeTheNextOne)
{
    UsbBench run;
    run.bus.answer = [](const UsbBytes &, int index) { return std::optional<uint8_t>(index == 2 ? 0xFE : 0xFF); };
    EXPECT_EQ(run.link.transferPayload(numberedPayload(1500)), UsbTransferResult::Failed);
    // size, chunk 1 (0xFF), chunk 2 (0xFE closes); chunk 3 never goes out
    EXPECT_EQ(run.bus.writes.size(), 3u);
    EXPECT_EQ(run.bus.events, "wwrwr");
}

// --- raw blocks and their failures -------------------------------------------------

TEST(UsbRawBlock, CommandsAreAnnouncedByTheirLengthAndAcknowledged)
{
    UsbBench run;
    EXPECT_EQ(run.link.transferBlock(controllerCommand(ControllerCommandCode::Play)), UsbTransferResult::Success);
    EXPECT_EQ(run.link.transferBlock(controllerCommand(ControllerCommandCode::Stop)), UsbTransferResult::Success);
    EXPECT_EQ(run.bus.writes, (std::vector<UsbBytes>{{0x01, 0x08, 0x00},
                                                  {0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x91},
                                                  {0x01, 0x08, 0x00},
                                                  {0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x92}}));
    EXPECT_EQ(run.bus.events, "wwrwwr");
    EXPECT_TRUE(run.link.isOpen());
}

TEST(UsbRawBlock, EachFailingWriteHasItsOwnMessage)
{
    {
        UsbBench run;
        run.bus.shortWriteAt = 0;
        EXPECT_EQ(run.link.transferBlock(controllerCommand(ControllerCommandCode::Play)), UsbTransferResult::Failed);
        EXPECT_EQ(run.bus.writes.size(), 1u);
        EXPECT_EQ(run.prompt.texts(), QStringList{QStringLiteral("Incomplete write file size message sent to device.")});
    }
    {
        UsbBench run;
        run.bus.failWriteAt = 1;
        EXPECT_EQ(run.link.transferBlock(controllerCommand(ControllerCommandCode::Play)), UsbTransferResult::Failed);
        EXPECT_EQ(run.bus.events, "w"); // no wait for an answer to a block that did not go out
        EXPECT_EQ(run.prompt.texts(),
                  QStringList{QStringLiteral("Target device failure while sending file data.\nCheck file size.")});
        EXPECT_EQ(run.prompt.shown[0].icon, PromptIcon::Warning);
    }
    {
        UsbBench run;
        run.bus.failWriteAt = 0;
        EXPECT_EQ(run.link.transferPayload(numberedPayload(10)), UsbTransferResult::Failed);
        EXPECT_EQ(run.prompt.texts(),
                  QStringList{QStringLiteral("Target device failure while sending file size information.")});
    }
}

TEST(UsbRawBlock, WritesOfNothingOrMoreThan4096BytesAreRefused)
{
    UsbBench run;
    EXPECT_FALSE(run.link.write({}));
    EXPECT_FALSE(run.link.write(UsbBytes(4097)));
    EXPECT_TRUE(run.link.write(UsbBytes(4096)));
    EXPECT_EQ(run.bus.writes.size(), 1u);
    // A block longer than 508 bytes is not a raw block.
    EXPECT_EQ(run.link.transferBlock(UsbBytes(509)), UsbTransferResult::Failed);
    EXPECT_EQ(run.bus.writes.size(), 1u);
}

// --- listing and opening -----------------------------------------------------------

TEST(UsbListing, OneEntryPerControllerThatCanBeToldApart)
{
    UsbEnglishTexts texts;
    FakeUsbTransport bus;
    ScriptedPrompt prompt;
    UsbLink link(bus, prompt);
    link.openLink();
    EXPECT_TRUE(link.entries().isEmpty());
    EXPECT_FALSE(link.devicePresent());
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(bus.openedPaths.empty());
    EXPECT_TRUE(prompt.shown.empty());

    bus.devices = {{QStringLiteral("a"), QStringLiteral("1")},
                   {QStringLiteral("b"), QString()},
                   {QStringLiteral("c"), QStringLiteral("3")}};
    link.openLink(1);
    EXPECT_EQ(link.entries(), (QStringList{QStringLiteral("Zarimo-USB"), QStringLiteral("Zarimo-USB")}));
    EXPECT_TRUE(link.devicePresent());
    EXPECT_EQ(bus.openedPaths, std::vector<QString>{QStringLiteral("c")}); // entry 1 is the third device
    EXPECT_TRUE(link.isOpen());
}

TEST(UsbListing, ReopeningClosesFirstAndListsAgain)
{
    UsbBench run;
    ASSERT_TRUE(run.link.isOpen());
    const int closesBefore = run.bus.closes;
    run.bus.devices.clear();
    run.link.openLink();
    EXPECT_EQ(run.bus.closes, closesBefore + 1);
    EXPECT_EQ(run.bus.listings, 2);
    EXPECT_FALSE(run.link.devicePresent());
    EXPECT_FALSE(run.link.isOpen());
}

TEST(UsbListing, PipesThatWillNotOpenAreNamed)
{
    UsbBench run;
    run.bus.openResult = UsbOpenResult::WritePipeFailed;
    run.link.openLink();
    run.bus.openResult = UsbOpenResult::ReadPipeFailed;
    run.link.openLink();
    run.bus.openResult = UsbOpenResult::DeviceFailed;
    run.link.openLink();
    EXPECT_EQ(run.prompt.texts(),
              (QStringList{QStringLiteral("Error opening Write device: PIPE01\n\nThe controller link is closed.\n"
                                          "Reset hardware and try again."),
                           QStringLiteral("Error opening Read device: PIPE00\n\nThe controller link is closed.\n"
                                          "Reset hardware and try again.")}));
    EXPECT_FALSE(run.link.isOpen());
}

TEST(UsbListing, SendBusyHoldsForTheScopeOfATransfer)
{
    UsbBench run;
    std::vector<bool> busyDuringWrites;
    run.bus.onWrite = [&] { busyDuringWrites.push_back(run.link.sendBusy()); };
    {
        UsbSendBusyScope busy(run.link);
        run.link.transferPayload(numberedPayload(600));
    }
    EXPECT_EQ(busyDuringWrites, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(run.link.sendBusy());
}
