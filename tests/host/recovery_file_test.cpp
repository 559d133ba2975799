#include "files/recovery_file.h"

#include <gtest/gtest.h>

#include <set>

namespace wendrill {
namespace {

const RecoveryRecord kChapter{u"C:\\稿件\\第一章.txt", FileEncoding::utf8,
                              "\xB5\xDA\xD2\xBB\xD5\xC2\r\n\r\n\xD5\xFD\xCE\xC4"};

TEST(RecoveryFileTest, KeepsTextPathAndEncodingExactly) {
    const RecoveryRecord records[] = {
        kChapter,
        {u"", FileEncoding::documentCodePage, "a"},        // a new document
        {u"D:\\x.txt", FileEncoding::utf16BigEndian, ""},  // no text at all
        {u"\\\\server\\share\\😀.txt", FileEncoding::utf8WithMark, "\x81\x30\x81\x30"},
        {u"C:\\a.txt", FileEncoding::utf16LittleEndian,
         "length: 3\r\n\r\nabc"},  // looks like a header
    };
    for (const RecoveryRecord& record : records) {
        const auto back = parseRecoveryFile(formatRecoveryFile(record));
        ASSERT_TRUE(back.has_value()) << record.text;
        EXPECT_EQ(back->path, record.path);
        EXPECT_EQ(back->encoding, record.encoding);
        EXPECT_EQ(back->text, record.text);
    }
}

TEST(RecoveryFileTest, DamagedFilesAreNeverTakenForADocument) {
    const std::string good = formatRecoveryFile(kChapter);
    const std::string header = good.substr(0, good.size() - kChapter.text.size());
    const std::string damaged[] = {
        "",
        good.substr(0, good.size() - 1),  // cut off in the text
        good.substr(0, 30),               // cut off in the header
        good + "x",                       // longer than it says
        header,                           // the text missing
        "Wendrill recovery 2\r\nencoding: utf-8\r\npath: \r\nlength: 1\r\n\r\na",  // a later kind
        "Wendrill recovery 1\r\nencoding: utf-7\r\npath: \r\nlength: 1\r\n\r\na",
        "Wendrill recovery 1\r\nencoding: utf-8\r\npath: \r\nlength: 01\r\n\r\na",
        "Wendrill recovery 1\r\nencoding: utf-8\r\npath: \r\nlength: +1\r\n\r\na",
        "Wendrill recovery 1\r\nencoding: utf-8\r\npath: \r\nlength: 18446744073709551617\r\n\r\na",
        "Wendrill recovery 1\r\nencoding: utf-8\r\npath: \xC0\xAF\r\nlength: 1\r\n\r\na",
        "Wendrill recovery 1\r\nencoding: utf-8\r\npath: a\tb\r\nlength: 1\r\n\r\na",
        "Wendrill recovery 1\r\nencoding: utf-8\r\nlength: 1\r\n\r\na",  // a line missing
        "Wendrill recovery 1\nencoding: utf-8\npath: \nlength: 1\n\na",  // bare line feeds
        std::string("Wendrill recovery 1\r\nencoding: utf-8\r\npath: \r\nlength: 1\r\n\r\n") +
            '\0',  // a NUL, which no document holds
    };
    for (const std::string& bytes : damaged) {
        EXPECT_FALSE(parseRecoveryFile(bytes).has_value()) << bytes;
    }
}

TEST(RecoveryFileTest, NamesCarryTheOwnerAndNothingElseIsTakenForOne) {
    const RecoveryOwner owners[] = {{4242, 0x01DB4A2B3C4D5E6F}, {0, 0}, {UINT32_MAX, UINT64_MAX}};
    std::set<std::string> names;
    for (const RecoveryOwner owner : owners) {
        const std::string name = recoveryFileName(owner);
        EXPECT_EQ(recoveryFileOwner(name), owner) << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), std::size(owners));
    EXPECT_EQ(recoveryFileName({4242, 0x01DB4A2B3C4D5E6F}),
              "wendrill-4242-01db4a2b3c4d5e6f.recovery");

    const char* others[] = {
        "wdrA1B2.tmp",  // a write in progress
        "wendrill-4242-01db4a2b3c4d5e6f.recovery.tmp",
        "wendrill-4242-1db4a2b3c4d5e6f.recovery",   // 15 digits
        "wendrill-4242-01DB4A2B3C4D5E6F.recovery",  // not as written
        "wendrill--01db4a2b3c4d5e6f.recovery",
        "wendrill-04242-01db4a2b3c4d5e6f.recovery",
        "wendrill-4294967296-01db4a2b3c4d5e6f.recovery",  // past a process id
        "wendrill-42-42-01db4a2b3c4d5e6f.recovery",
        "wendrill-.recovery",
        "kel_path.ini",
    };
    for (const char* name : others) EXPECT_FALSE(recoveryFileOwner(name).has_value()) << name;
}

TEST(RecoveryFileTest, OffersOnlyFilesOfEndedProgramsTheLatestFirst) {
    const RecoveryOwner running{10, 500};
    const RecoveryOwner crashedEarly{11, 100};
    const RecoveryOwner crashedLate{12, 300};
    // The id of a crashed program, given by the system to a program started later.
    const RecoveryOwner reusedId{10, 200};
    const std::vector<std::string> names = {
        recoveryFileName(crashedEarly), "notes.txt",
        recoveryFileName(running),      recoveryFileName(reusedId),
        recoveryFileName(crashedLate),
    };
    const auto offered =
        recoveryFilesToOffer(names, [&](RecoveryOwner owner) { return owner == running; });
    EXPECT_EQ(offered,
              (std::vector<std::string>{recoveryFileName(crashedLate), recoveryFileName(reusedId),
                                        recoveryFileName(crashedEarly)}));
}

TEST(RecoveryFileTest, WritesOncePausedAndNoLaterThanTheLatest) {
    struct Case {
        const char* pin;
        int64_t firstChange, lastChange, now, wait;
    } cases[] = {
        {"one key, just typed", 0, 0, 0, kRecoveryPauseMs},
        {"one key, half the pause gone", 0, 0, 400, kRecoveryPauseMs - 400},
        {"paused long enough", 0, 0, kRecoveryPauseMs, 0},
        {"typing on: the pause starts again", 0, 3000, 3000, kRecoveryPauseMs},
        {"typing on near the latest", 0, 4800, 4800, kLatestRecoveryWriteMs - 4800},
        {"typing on past the latest", 0, 7000, 7000, 0},
        {"a late timer", 0, 0, 60000, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(msUntilRecoveryWrite(c.firstChange, c.lastChange, c.now), c.wait) << c.pin;
    }
}

}  // namespace
}  // namespace wendrill
