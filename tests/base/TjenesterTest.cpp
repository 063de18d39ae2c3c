#include "base/Besked.h"
#include "base/Stopur.h"
#include "base/Talformat.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

TEST(Besked, SendsEveryOperationToTheInstalledReceiver)
{
    MedTestModtager m;
    Besked b;
    EXPECT_EQ(b.VisInfo("Skemaerne er gemt i databasen!"), knapOK);
    b.VisFejl("Planen findes ikke!", "En fejl er opstået!");
    m.modtager.svar = {true, false};
    EXPECT_TRUE(b.Spoerg("spørgsmål", "Accept af handling!"));
    EXPECT_FALSE(b.Spoerg("spørgsmål", "Accept af handling!"));
    EXPECT_FALSE(b.Spoerg("spørgsmål", "Accept af handling!")) << "an unanswered question counts as Cancel";
    b.Log("inde");
    b.LogTal(-7);
    b.LogTal(104);
    b.TidsTitel("Gemning");
    b.TidsLinje(0.5, "Total: ", 5);

    ASSERT_EQ(m.modtager.bokse.size(), 5u);
    EXPECT_EQ(m.modtager.bokse[0].titel, "Meddelelse");
    EXPECT_EQ(m.modtager.bokse[1].titel, "En fejl er opstået!");
    EXPECT_EQ(m.modtager.bokse[1].tekst, "Planen findes ikke!");
    EXPECT_EQ(m.modtager.logLinjer, (std::vector<std::string>{"inde", "-7", "104"}));
    EXPECT_EQ(m.modtager.tidsTitler, std::vector<std::string>{"Gemning"});
    ASSERT_EQ(m.modtager.tidsLinjer.size(), 1u);
    EXPECT_EQ(m.modtager.tidsLinjer[0].raekke, 5);
    EXPECT_EQ(m.modtager.tidsLinjer[0].etiket, "Total: ");
}

TEST(Besked, ReceiverIsRestoredWhenTheScopeEnds)
{
    TestModtager ydre;
    MidlertidigModtager a(ydre);
    {
        MedTestModtager indre;
        Besked().Log("indre");
        EXPECT_EQ(indre.modtager.logLinjer.size(), 1u);
    }
    Besked().Log("ydre");
    EXPECT_EQ(ydre.logLinjer, std::vector<std::string>{"ydre"});
}

TEST(Stopur, NeverStartedReportsZeroAndPrintsSeconds)
{
    Stopur ur;
    double sekunder = -1;
    ur.Tid(sekunder);
    EXPECT_EQ(sekunder, 0.0);
    std::ostringstream ud;
    ud << ur;
    EXPECT_EQ(ud.str(), "0 sekunder.");
}

TEST(Stopur, MeasuresElapsedMillisecondsAndStopMovesTheEnd)
{
    Stopur ur;
    ur.Start();
    ur.Stop();
    double foerste = -1;
    ur.Tid(foerste);
    EXPECT_GE(foerste, 0.0);
    const int32_t start = Stopur::Tik();
    while (Stopur::Tik() < start + 3) {
    }
    ur.Stop();
    double anden = 0;
    ur.Tid(anden);
    EXPECT_GE(anden, foerste + 0.002);
}

TEST(Talformat, SecondsUseSixSignificantDigitsAndSixDecimals)
{
    EXPECT_EQ(FormaterSekunder(0.5, danskeSeparatorer), "0,500000");
    EXPECT_EQ(FormaterSekunder(0.5, engelskeSeparatorer), "0.500000");
    EXPECT_EQ(FormaterSekunder(1234.5678, danskeSeparatorer), "1.234,570000");
    EXPECT_EQ(FormaterSekunder(1234.5678, engelskeSeparatorer), "1,234.570000");
    EXPECT_EQ(FormaterSekunder(1234567.891, danskeSeparatorer), "1.234.570,000000");
    EXPECT_EQ(FormaterSekunder(0.0, danskeSeparatorer), "0,000000");
    EXPECT_EQ(FormaterSekunder(0.0001234567, danskeSeparatorer), "0,000123");
}

TEST(Talformat, PercentagesUseThreeSignificantDigitsAndTwoDecimals)
{
    EXPECT_EQ(FormaterProcent(2.0 / 3.0 * 100, danskeSeparatorer), "66,70");
    EXPECT_EQ(FormaterProcent(2.0 / 3.0 * 100, engelskeSeparatorer), "66.70");
    EXPECT_EQ(FormaterProcent(0.0, danskeSeparatorer), "0,00");
    EXPECT_EQ(FormaterProcent(80.0, danskeSeparatorer), "80,00");
    EXPECT_EQ(FormaterProcent(100.0, danskeSeparatorer), "100,00");
    EXPECT_EQ(FormaterProcent(35.3553, danskeSeparatorer), "35,40");
    EXPECT_EQ(FormaterProcent(1234.5, danskeSeparatorer), "1.230,00");
    EXPECT_EQ(FormaterProcent(-12.345, danskeSeparatorer), "-12,30");
}

TEST(Talformat, DoesNotDependOnTheCLibrarysLocale)
{
    const std::string forrige = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "da_DK.UTF-8") == nullptr)
        GTEST_SKIP() << "no Danish locale installed (scripts/install-deps.sh makes one)";
    const std::string sekunder = FormaterSekunder(1234.5678, danskeSeparatorer);
    const std::string procent = FormaterProcent(2.0 / 3.0 * 100, engelskeSeparatorer);
    std::setlocale(LC_NUMERIC, forrige.c_str());
    EXPECT_EQ(sekunder, "1.234,570000");
    EXPECT_EQ(procent, "66.70");
}
