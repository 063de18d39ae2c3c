#include "import/Elevhold.h"
#include "import/XmlElement.h"
#include "support/MidlertidigMappe.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using namespace fetImport;

std::vector<std::vector<std::string>> Navne(const std::optional<std::vector<std::vector<Elevgruppe>>>& inddelinger)
{
    std::vector<std::vector<std::string>> ud;
    for (const auto& inddeling : *inddelinger) {
        ud.emplace_back();
        for (const Elevgruppe& g : inddeling)
            ud.back().push_back(g.navn);
    }
    return ud;
}

XmlElement Elevliste(const std::string& aargange)
{
    MidlertidigMappe mappe;
    std::ofstream("elever.xml") << "<Students_List>" + aargange + "</Students_List>";
    XmlElement rod;
    std::string fejl;
    EXPECT_TRUE(XmlElement::LaesFil("elever.xml", rod, fejl)) << fejl;
    return rod;
}

std::string Gruppe(const std::string& navn, const std::vector<std::string>& undergrupper)
{
    std::string ud = "<Group><Name>" + navn + "</Name>";
    for (const std::string& u : undergrupper)
        ud += "<Subgroup><Name>" + u + "</Name></Subgroup>";
    return ud + "</Group>";
}

// Year 10a as its categories would make it: language (Sm/Sw) times sport (F/L), each subgroup in two groups.
const std::string tiA = "<Year><Name>10a</Name>" + Gruppe("10aSm", {"Sm F", "Sm L"}) +
                        Gruppe("10aSw", {"Sw F", "Sw L"}) + Gruppe("10aF", {"Sm F", "Sw F"}) +
                        Gruppe("10aL", {"Sm L", "Sw L"}) + "</Year>";

} // namespace

TEST(Inddelinger, GroupsThatSplitTheWholeAsAProductAreItsDivisions)
{
    const Atomer hele{"a1", "a2", "b1", "b2"};
    const std::vector<Elevgruppe> sprog{{"Tysk", {"a1", "a2"}}, {"Fransk", {"b1", "b2"}}};
    const std::vector<Elevgruppe> koen{{"piger", {"a1", "b1"}}, {"drenge", {"a2", "b2"}}};
    std::vector<Elevgruppe> alle{sprog[0], koen[0], sprog[1], koen[1]};
    // The whole itself and a second name for the same students add nothing.
    alle.push_back({"Alle", hele});
    alle.push_back({"Deutsch", {"a1", "a2"}});
    EXPECT_EQ(Navne(UdledInddelinger(hele, alle)),
              (std::vector<std::vector<std::string>>{{"Tysk", "Fransk"}, {"piger", "drenge"}}));
    EXPECT_EQ(Navne(UdledInddelinger(hele, {})), (std::vector<std::vector<std::string>>{}));

    // A group that leaves some students in no group of its division, or lies in two: no such split.
    EXPECT_FALSE(UdledInddelinger(hele, {sprog[0], {"Rest", {"b1"}}}));
    EXPECT_FALSE(UdledInddelinger(hele, {sprog[0], sprog[1], {"Kor", {"a1", "b1", "b2"}}}));
}

TEST(Inddelinger, AYearAndItsGroupsAreOneClassAndEveryLessonFindsItsStudents)
{
    const XmlElement elever = Elevliste(tiA + "<Year><Name>10b</Name>" + Gruppe("10b1", {}) + Gruppe("10b2", {}) +
                                        "</Year><Year><Name>9</Name>" + Gruppe("9x", {"9x1", "9x2"}) +
                                        Gruppe("9y", {"9y1"}) + "</Year>");
    // 10a, its language and sport groups; 10b's groups apart; year 9's group 9x and one of its subgroups.
    const Elevhold hold(&elever, {"10a", "10aSm", "10aF", "10aL", "10b1", "10b2", "9x", "9x1", "Ukendt"});

    std::map<std::string, std::vector<std::string>> inddelinger;
    for (const Klasse& k : hold.Klasser()) {
        for (const Inddeling& i : k.inddelinger)
            inddelinger[k.navn].push_back(i.navn);
    }
    EXPECT_EQ(inddelinger, (std::map<std::string, std::vector<std::string>>{{"10a", {"10aSm/10aSw", "10aF/10aL"}},
                                                                            {"9x", {"9x1/9x2"}}}));
    EXPECT_EQ(hold.Klasser().size(), 5u) << "10a, 10b1, 10b2, 9x and the undeclared set";

    const auto deltagere = [&](const std::string& saet) { return hold.Deltagere(saet); };
    EXPECT_EQ(deltagere("10a"), (std::vector<Deltager>{{"10a", "tom"}}));
    EXPECT_EQ(deltagere("10aSm"), (std::vector<Deltager>{{"10a", "10aSm"}}));
    EXPECT_EQ(deltagere("10aL"), (std::vector<Deltager>{{"10a", "10aL"}}));
    EXPECT_EQ(deltagere("10b1"), (std::vector<Deltager>{{"10b1", "tom"}}));
    EXPECT_EQ(deltagere("9x1"), (std::vector<Deltager>{{"9x", "9x1"}}));
    EXPECT_EQ(deltagere("Ukendt"), (std::vector<Deltager>{{"Ukendt", "tom"}}));
    EXPECT_EQ(hold.HeleHoldet("10a"), "10a");
    EXPECT_EQ(hold.HeleHoldet("10aSm"), std::nullopt);
    EXPECT_EQ(hold.HeleHoldet("findes-ikke"), std::nullopt);
}

TEST(Inddelinger, WhereTheGroupsAreNoProductTheSubgroupsAreTheGroupsAndAGroupIsSeveral)
{
    // A subgroup of 10a alone cannot be one group of a product of 10a's groups; and "Kor" spans two languages.
    const XmlElement elever = Elevliste(tiA + "<Year><Name>8</Name>" + Gruppe("8a", {"A", "B"}) + Gruppe("8b", {"C"}) +
                                        Gruppe("Kor", {"B", "C"}) + "</Year>");
    const Elevhold hold(&elever, {"10a", "Sm F", "10aSw", "8", "Kor", "8a"});
    EXPECT_EQ(hold.Deltagere("Sm F"), (std::vector<Deltager>{{"10a", "Sm F"}}));
    // A subgroup in two groups is one unit: 10aSw is its two subgroups.
    EXPECT_EQ(hold.Deltagere("10aSw"), (std::vector<Deltager>{{"10a", "Sw F"}, {"10a", "Sw L"}}));
    EXPECT_EQ(hold.Deltagere("Kor"), (std::vector<Deltager>{{"8", "B"}, {"8", "C"}}));
    EXPECT_EQ(hold.Deltagere("8a"), (std::vector<Deltager>{{"8", "A"}, {"8", "B"}}));
    for (const Klasse& k : hold.Klasser()) {
        ASSERT_EQ(k.inddelinger.size(), 1u) << k.navn;
        EXPECT_EQ(k.inddelinger.front().grupper.size(), 4u - (k.navn == "8" ? 1u : 0u)) << k.navn;
    }
}

TEST(Inddelinger, SetsOfTwoYearsThatShareStudentsAreOneClass)
{
    // The same group under two years is one set of students, so the years meet in it.
    const XmlElement elever = Elevliste("<Year><Name>1</Name>" + Gruppe("1a", {}) + Gruppe("Fælles", {}) +
                                        "</Year><Year><Name>2</Name>" + Gruppe("2a", {}) + Gruppe("Fælles", {}) +
                                        "</Year><Year><Name>3</Name></Year>");
    const Elevhold hold(&elever, {"1", "2", "3"});
    ASSERT_EQ(hold.Klasser().size(), 2u);
    const auto deltagere1 = hold.Deltagere("1");
    const auto deltagere2 = hold.Deltagere("2");
    ASSERT_FALSE(deltagere1.empty());
    EXPECT_EQ(deltagere1.front().hold, deltagere2.front().hold) << "one class, so 1 and 2 never meet at once";
    EXPECT_EQ(hold.Deltagere("3"), (std::vector<Deltager>{{"3", "tom"}}));
}
