#include "core/xml/utf8_decoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/core/file_text_reference.h"

namespace {

using tlxml::Utf8Decoder;

// Every decoder this processor runs: the plain one always, the shuffles where the processor has them.
std::vector<Utf8Decoder> RunnableDecoders() {
    std::vector<Utf8Decoder> decoders = {Utf8Decoder::kPlain};
    if (tlxml::FastestUtf8Decoder() == Utf8Decoder::kShuffles) decoders.push_back(Utf8Decoder::kShuffles);
    return decoders;
}

// Decodes `bytes` strictly and with replacement and compares both with the reference.
void ExpectReferenceDecoding(const std::string& bytes, Utf8Decoder decoder) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    bool valid;
    const TLString reference = tlxml_reference::DecodeUtf8(bytes, valid);
    std::u16string out(bytes.size(), u'\0');
    const size_t replaced = tlxml::DecodeUtf8(bytes, out.data(), true, decoder);
    EXPECT_EQ(std::u16string_view(out.data(), replaced), std::u16string_view(reference));
    const size_t strict = tlxml::DecodeUtf8(bytes, out.data(), false, decoder);
    if (valid) {
        EXPECT_EQ(std::u16string_view(out.data(), strict), std::u16string_view(reference));
    } else {
        EXPECT_EQ(strict, tlxml::kMalformedUtf8);
    }
    EXPECT_EQ(tlxml::IsValidUtf8(bytes), valid);
}

// Letters of one, two and three bytes mixed as text in other scripts mixes them, so that the blocks
// around a sequence are read many letters at a time.
const char* const kLetters[] = {"a", " ", "\xD0\x96", "\xD0\xB9", "\xE4\xB8\xAD", "\xE2\x80\x9C", "\xC2\xAB", "<"};

// Sequences a decoder reading letters many bytes at a time could take for letters.
const char* const kSequences[] = {
    "\xF0\x9F\x98\x80",
    "\xC0\xAF",
    "\xC1\xBF",
    "\xE0\x80\xAF",
    "\xE0\x9F\xBF",
    "\xE0\xA0\x80",
    "\xED\x9F\xBF",
    "\xED\xA0\x80",
    "\xED\xBF\xBF",
    "\xEE\x80\x80",
    "\xEF\xBF\xBF",
    "\xF4\x90\x80\x80",
    "\xC2\x80",
    "\xDF\xBF",
    "\x80",
    "\xBF",
    "\xC3",
    "\xE2\x82",
    "\xC3\x41",
    "\xE2\x28\xA1",
    "\x41\x80",
    "\xF8\x88\x80\x80",
    "\xFF",
    std::string_view("\0", 1).data(),
};

// Text of 96 bytes or more: each mix of the letters above, and runs of a single letter of two and of
// three bytes, which some decoders take more letters at a time.
std::vector<std::string> TextsOfLetters() {
    std::vector<std::string> texts;
    for (size_t mix = 0; mix < std::size(kLetters); ++mix) {
        std::string text;
        for (size_t k = 0; text.size() < 96; ++k) text += kLetters[(mix + k * (k % 3 + 1)) % std::size(kLetters)];
        texts.push_back(text);
    }
    for (const char* letter : {"\xD0\x96", "\xE4\xB8\xAD"}) {
        std::string run;
        while (run.size() < 96) run += letter;
        texts.push_back(run);
    }
    return texts;
}

// Each sequence at every offset of the first 80 bytes, within each text of letters: read as the
// reference reads it, strictly and with replacement, by every decoder.
TEST(Utf8Decoding, SequencesAtEveryOffsetWithinLetters) {
    for (Utf8Decoder decoder : RunnableDecoders()) {
        for (const std::string& before : TextsOfLetters()) {
            for (const char* sequence : kSequences) {
                const std::string bytes_of(sequence, sequence[0] ? std::char_traits<char>::length(sequence) : 1);
                for (size_t offset = 0; offset <= 80; ++offset)
                    ExpectReferenceDecoding(before.substr(0, offset) + bytes_of + before + before, decoder);
            }
        }
    }
}

// Random text of well-formed letters of every length with now and then a random byte: the decoders
// agree with the reference whatever the mix.
TEST(Utf8Decoding, RandomTextMatchesTheReference) {
    const char* const letters[] = {"x",
                                   "\n",
                                   "\xC3\xA9",
                                   "\xD7\x90",
                                   "\xE0\xA4\x85",
                                   "\xEA\xB0\x80",
                                   "\xEF\xBC\x8C",
                                   "\xF0\x9F\x98\x80",
                                   "\xED\x9F\xBF",
                                   "\xEE\x80\x80"};
    std::mt19937 random(27);
    for (Utf8Decoder decoder : RunnableDecoders()) {
        for (int text = 0; text < 3000; ++text) {
            std::string bytes;
            const size_t length = random() % 300;
            const unsigned noise = random() % 4;  // none, or one byte in 20, 200 or 2000 random
            while (bytes.size() < length) {
                if (noise && random() % (noise == 1 ? 20 : noise == 2 ? 200 : 2000) == 0)
                    bytes += static_cast<char>(random() & 0xFF);
                else
                    bytes += letters[random() % (text % 2 ? std::size(letters) : 4)];
            }
            ExpectReferenceDecoding(bytes, decoder);
        }
    }
}

}  // namespace
