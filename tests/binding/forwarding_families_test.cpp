// What the forwarders that take a variable argument list pass on: the scene functions' eight words,
// mi_query's four or five, and the message functions' finished text.
#include "forwarding_families.h"

#include <string>

#include "binding_modules.h"

namespace {

class ForwardingFamilies : public BindingTest {
   protected:
    void SetUp() override {
        BindingTest::SetUp();
        modules.setModuleHandle(modules.secondHost);
    }
    template <class Fn>
    Fn forwarder(HostFunction f) const {
        return reinterpret_cast<Fn>(modules.forwarder(f));
    }
    static std::vector<Word> receivedWords(std::size_t count) {
        const auto& words = onlyRecordedCall().words;
        return {words.begin(), words.begin() + static_cast<std::ptrdiff_t>(count)};
    }
};

// The words 101, 102, ...: whatever comes after the eighth word of the variable part must not
// reach the host.
TEST_F(ForwardingFamilies, SceneFunctionsPassTheLeadingWordsAndEightWordsOfTheVariablePart) {
    const auto create = forwarder<decltype(&mi_scene_create)>(HostFunction::mi_scene_create);
    const auto recreate = forwarder<decltype(&mi_scene_recreate)>(HostFunction::mi_scene_recreate);
    const auto growedit = forwarder<decltype(&mi_scene_growedit)>(HostFunction::mi_scene_growedit);
    const std::vector<Word> ten{101, 102, 103, 104, 105, 106, 107, 108, 109, 110};

    create(101, 102, Word{103}, Word{104}, Word{105}, Word{106}, Word{107}, Word{108}, Word{109},
           Word{110});
    EXPECT_EQ(receivedWords(10), ten);

    testhost::forgetForwardedCalls();
    recreate(101, 102, Word{103}, Word{104}, Word{105}, Word{106}, Word{107}, Word{108}, Word{109},
             Word{110}, Word{111}, Word{112}, Word{113}, Word{114});
    EXPECT_EQ(receivedWords(10), ten);
    EXPECT_EQ(onlyRecordedCall().function, "mi_scene_recreate");

    testhost::forgetForwardedCalls();
    growedit(101, Word{102}, Word{103}, Word{104}, Word{105}, Word{106}, Word{107}, Word{108},
             Word{109}, Word{110}, Word{111});
    EXPECT_EQ(receivedWords(9), std::vector<Word>(ten.begin(), ten.begin() + 9));
}

struct QueryCase {
    std::int32_t query;
    std::size_t wordsReceived;
};

void PrintTo(const QueryCase& c, std::ostream* os) {
    *os << "query " << c.query;
}

class QueryForwarding : public ForwardingFamilies,
                        public ::testing::WithParamInterface<QueryCase> {};

TEST_P(QueryForwarding, PassesFiveWordsForQueries15And127AndFourOtherwise) {
    const auto query = forwarder<decltype(&mi_query)>(HostFunction::mi_query);
    const QueryCase c = GetParam();
    const Word result = query(c.query, Word{2002}, Word{3003}, Word{4004}, Word{5005});
    std::vector<Word> expected{static_cast<Word>(c.query), 2002, 3003, 4004, 5005};
    expected.resize(c.wordsReceived);
    EXPECT_EQ(receivedWords(c.wordsReceived), expected);
    EXPECT_EQ(result, onlyRecordedCall().answerBits);
}

INSTANTIATE_TEST_SUITE_P(Queries, QueryForwarding,
                         ::testing::Values(QueryCase{15, 5}, QueryCase{127, 5}, QueryCase{14, 4},
                                           QueryCase{16, 4}, QueryCase{126, 4}, QueryCase{128, 4},
                                           QueryCase{-15, 4}),
                         [](const auto& test) {
                             const std::int32_t q = test.param.query;
                             return (q < 0 ? "query_minus" : "query_") +
                                    std::to_string(q < 0 ? -q : q);
                         });

struct MessageCase {
    const char* label;
    std::string (*send)(ForwarderAddress);  // calls the forwarder, gives the expected text
};

const std::string kLong(5000, 'a');

const MessageCase kMessageCases[] = {
    {"no_conversion",
     [](ForwarderAddress f) {
         reinterpret_cast<decltype(&mi_info)>(f)("plain text, nothing to convert");
         return std::string("plain text, nothing to convert");
     }},
    {"per_cent_signs_in_the_finished_text",
     [](ForwarderAddress f) {
         reinterpret_cast<decltype(&mi_info)>(f)("%s and %d%% done", "100% %s %n sure", 50);
         return std::string("100% %s %n sure and 50% done");
     }},
    {"1023_characters_whole",
     [](ForwarderAddress f) {
         reinterpret_cast<decltype(&mi_info)>(f)("%.1023s", kLong.c_str());
         return kLong.substr(0, 1023);
     }},
    {"5000_characters_cut_at_1023",
     [](ForwarderAddress f) {
         reinterpret_cast<decltype(&mi_info)>(f)("%s", kLong.c_str());
         return kLong.substr(0, 1023);
     }},
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.label;
}

class MessageForwarding : public ForwardingFamilies,
                          public ::testing::WithParamInterface<MessageCase> {};

TEST_P(MessageForwarding, HostPrintsTheFinishedTextExactly) {
    const std::string expected = GetParam().send(modules.forwarder(HostFunction::mi_info));
    EXPECT_EQ(onlyRecordedCall().function, "mi_info");
    EXPECT_EQ(onlyRecordedCall().text, expected);
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageForwarding, ::testing::ValuesIn(kMessageCases),
                         [](const auto& test) { return std::string(test.param.label); });

TEST_F(ForwardingFamilies, NumberedMessagePassesItsNumberAndTheFinishedText) {
    const auto nwarning = forwarder<decltype(&mi_nwarning)>(HostFunction::mi_nwarning);
    const Word result = nwarning(-31, "%d lights without %s", 12, "shadows");
    const testhost::ForwardedCall& call = onlyRecordedCall();
    EXPECT_EQ(call.function, "mi_nwarning");
    EXPECT_EQ(static_cast<std::int32_t>(call.words[0]), -31);
    EXPECT_EQ(call.text, "12 lights without shadows");
    EXPECT_EQ(result, call.answerBits);
}

}  // namespace
