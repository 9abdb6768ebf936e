// Country prefixes from calls, against the committed excerpt and against Debian's country file when present.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tools/logs/cty.h"

namespace {

std::string resolved(const CtyDatabase& db, const char* call) {
    const CtyDatabase::Match m = db.resolve(call);
    if (m.maritime) return "maritime";
    if (!m.found) return "none";
    return m.prefix + " " + std::to_string(m.cqZone);
}

class Excerpt : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> messages;
        ASSERT_TRUE(loadCtyFile(VUVO_HOSTSIM_DATA "/cty_excerpt.dat", m_db, messages));
        EXPECT_TRUE(messages.empty());
    }
    CtyDatabase m_db;
};

TEST_F(Excerpt, PrefixesByLongestMatch) {
    EXPECT_EQ(31u, m_db.entityCount());
    EXPECT_EQ("JA 25", resolved(m_db, "JA1ABC"));
    EXPECT_EQ("JA 25", resolved(m_db, "7K4XYZ"));
    EXPECT_EQ("JD/o 27", resolved(m_db, "JD1ABC"));
    EXPECT_EQ("K 5", resolved(m_db, "W1AW"));
    EXPECT_EQ("UA 16", resolved(m_db, "UA3ABC"));
    EXPECT_EQ("UA2 15", resolved(m_db, "UA2FAA"));
    EXPECT_EQ("UA9 17", resolved(m_db, "UA9ABC"));
    EXPECT_EQ("UA 16", resolved(m_db, "R3ABC"));
    EXPECT_EQ("KH6 31", resolved(m_db, "KH6XYZ"));
    EXPECT_EQ("none", resolved(m_db, "XX9XYZ"));
    EXPECT_EQ("none", resolved(m_db, ""));
    EXPECT_EQ("none", resolved(m_db, "   "));
}

TEST_F(Excerpt, ZoneOverridesInParentheses) {
    EXPECT_EQ("K 3", resolved(m_db, "W6XYZ"));
    EXPECT_EQ("K 4", resolved(m_db, "K0ABC"));
    EXPECT_EQ("VE 4", resolved(m_db, "VE3ABC"));
    EXPECT_EQ("VE 5", resolved(m_db, "VE1ABC"));
    EXPECT_EQ("UA9 19", resolved(m_db, "UA0ABC"));
    EXPECT_EQ("VK 29", resolved(m_db, "VK6ABC"));
}

TEST_F(Excerpt, ExactCallsComeFirst) {
    EXPECT_EQ("JD/m 27", resolved(m_db, "JD1BMM"));
    EXPECT_EQ("JD/m 27", resolved(m_db, "jd1bmm"));
    EXPECT_EQ("JD/o 27", resolved(m_db, "JD1BMN"));
    EXPECT_EQ("JD/m 27", resolved(m_db, "JD1/JA1MTS"));
    EXPECT_EQ("JD/o 27", resolved(m_db, "JA1OGA/JD1"));
    EXPECT_EQ("I 15", resolved(m_db, "IT9VUO/0"));
    EXPECT_EQ("K 3", resolved(m_db, "W1VU/7"));
    EXPECT_EQ("JA 25", resolved(m_db, "JA1VUO/LH"));
}

TEST_F(Excerpt, WaeEntitiesLoseTheirStar) {
    EXPECT_EQ("IT9 15", resolved(m_db, "IT9ABC"));
    EXPECT_EQ("I 15", resolved(m_db, "I2ABC"));
}

TEST_F(Excerpt, PortableCalls) {
    EXPECT_EQ("JA 25", resolved(m_db, "JA1ABC/1"));
    EXPECT_EQ("JA 25", resolved(m_db, "JA1ABC/6"));
    EXPECT_EQ("K 5", resolved(m_db, "K1ABC/P"));
    EXPECT_EQ("K 5", resolved(m_db, "K1ABC/QRP"));
    EXPECT_EQ("K 3", resolved(m_db, "K1ABC/6"));  // the call area names the zone
    EXPECT_EQ("UA 16", resolved(m_db, "UA9ABC/3"));
    EXPECT_EQ("VE 4", resolved(m_db, "VE3/JA1ABC"));
    EXPECT_EQ("VE 4", resolved(m_db, "JA1ABC/VE3"));
    EXPECT_EQ("KH6 31", resolved(m_db, "W6ABC/KH6"));
    EXPECT_EQ("DL 14", resolved(m_db, "DL/K1ABC/P"));
    EXPECT_EQ("JD/o 27", resolved(m_db, "JD1/JA1XYZ"));
    EXPECT_EQ("maritime", resolved(m_db, "JA1ABC/MM"));
    EXPECT_EQ("maritime", resolved(m_db, "K1ABC/AM"));
    EXPECT_EQ("K 5", resolved(m_db, "/K1ABC/"));
}

TEST(CtyFile, MalformedEntitiesAreNamedByLine) {
    CtyDatabase db;
    std::vector<std::string> messages;
    EXPECT_TRUE(db.load("Japan: 25: 45: AS: 36.40: -138.38: -9.0: JA:\n    JA,JE;\n"
                        "Broken: 1: 2:\n    XX;\n"
                        "Empty prefix:  1:  2:  AS:  0:  0:  0:  :\n    YY;\n"
                        "\n"
                        "Sicily: 15: 28: EU: 37.50: -14.00: -1.0: *IT9:\n    IT9(15)[28]<1/2>{EU}~1~,,=IT9X;\n"
                        "Open: 1: 2: AS: 0: 0: 0: ZZ:\n    ZZ",
                        "c", messages));
    ASSERT_EQ(3u, messages.size());
    EXPECT_EQ("c:3: not an entity (\"Name: CQ: ITU: Continent: Lat: Long: UTC: Prefix:\" and its prefixes); ignored",
              messages[0]);
    EXPECT_EQ("c:5: not an entity (\"Name: CQ: ITU: Continent: Lat: Long: UTC: Prefix:\" and its prefixes); ignored",
              messages[1]);
    EXPECT_EQ("c:10: an entity without its closing ';'; ignored", messages[2]);
    EXPECT_EQ(2u, db.entityCount());
    EXPECT_EQ("JA 25", resolved(db, "JE1ABC"));
    EXPECT_EQ("IT9 15", resolved(db, "IT9X"));
    EXPECT_EQ("none", resolved(db, "XX1A"));
    EXPECT_EQ("none", resolved(db, "ZZ1A"));
}

TEST(CtyFile, NoEntityAtAllIsRefused) {
    CtyDatabase db;
    std::vector<std::string> messages;
    EXPECT_FALSE(db.load("this is not a country file", "c", messages));
    EXPECT_EQ("c:1: an entity without its closing ';'; ignored", messages.at(0));
    EXPECT_EQ("c: holds no entity; is it a cty.dat country file?", messages.at(1));
    messages.clear();
    EXPECT_FALSE(loadCtyFile("/no/such/cty.dat", db, messages));
#ifdef _WIN32
    // Windows advice: the release's own country file, never a Debian package.
    EXPECT_EQ("cannot read the country file /no/such/cty.dat (cty.dat): name a readable one with --cty FILE, or leave "
              "--cty out for the cty.dat beside hostsim.exe (a release has it in tools)",
              messages.at(0));
#else
    EXPECT_EQ("cannot read the country file /no/such/cty.dat (cty.dat): install Debian's hamradio-files package, "
              "or name one with --cty FILE",
              messages.at(0));
#endif
}

// Debian's own file, where hamradio-files is installed.
class DebianFile : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDebianCtyFile)) GTEST_SKIP() << kDebianCtyFile << " is absent";
        std::vector<std::string> messages;
        ASSERT_TRUE(loadCtyFile(kDebianCtyFile, m_db, messages));
        for (const std::string& m : messages) ADD_FAILURE() << m;
    }
    CtyDatabase m_db;
};

TEST_F(DebianFile, TheContestsPrefixes) {
    EXPECT_GT(m_db.entityCount(), 300u);
    EXPECT_EQ("JA 25", resolved(m_db, "JA1ABC"));
    EXPECT_EQ("JA 25", resolved(m_db, "7K1ABC"));
    EXPECT_EQ("JD/o 27", resolved(m_db, "JD1ABC"));
    EXPECT_EQ("JD/m 27", resolved(m_db, "JD1BMM"));
    EXPECT_EQ("K 5", resolved(m_db, "K1ABC"));
    EXPECT_EQ("K 3", resolved(m_db, "W6ABC"));
    EXPECT_EQ("UA 16", resolved(m_db, "UA3ABC"));
    EXPECT_EQ("UA2 15", resolved(m_db, "UA2FAA"));
    EXPECT_EQ("UA9 17", resolved(m_db, "UA9ABC"));
    EXPECT_EQ("IT9 15", resolved(m_db, "IT9ABC"));
    EXPECT_EQ("I 15", resolved(m_db, "I2ABC"));
    EXPECT_EQ("DL 14", resolved(m_db, "DL1ABC"));
    EXPECT_EQ("JA 25", resolved(m_db, "JA1ABC/1"));
    EXPECT_EQ("K 5", resolved(m_db, "K1ABC/P"));
    EXPECT_EQ("VE 4", resolved(m_db, "VE3/JA1ABC"));
    EXPECT_EQ("maritime", resolved(m_db, "JA1ABC/MM"));
}

} // namespace
