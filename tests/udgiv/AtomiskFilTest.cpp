// Files written whole or not at all, only where a regular file may stand.
#include "udgiv/AtomiskFil.h"
#include "support/MidlertidigMappe.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string laes(const std::filesystem::path& fil)
{
    std::ifstream ind(fil, std::ios::binary);
    return {std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>()};
}

std::vector<std::string> filerI(const std::filesystem::path& mappe)
{
    std::vector<std::string> navne;
    for (const auto& post : std::filesystem::directory_iterator(mappe))
        navne.push_back(post.path().filename().string());
    std::sort(navne.begin(), navne.end());
    return navne;
}

mode_t rettigheder(const std::string& fil)
{
    struct stat info {};
    EXPECT_EQ(::stat(fil.c_str(), &info), 0) << fil;
    return info.st_mode & 07777;
}

} // namespace

TEST(AtomiskFil, OnlyAFreeNameOrARegularFileIsReplaced)
{
    MidlertidigMappe mappe;
    std::filesystem::create_directory("mappe.csv");
    ASSERT_EQ(::mkfifo("roer.csv", 0644), 0);
    std::ofstream("maal.csv") << "maal";
    std::filesystem::create_symlink("maal.csv", "link.csv");
    std::filesystem::create_symlink("findes_ikke.csv", "doedt_link.csv");
    const std::vector<std::string> foer = filerI(".");

    const std::vector<std::pair<std::string, std::string>> afviste{{"mappe.csv", "er en mappe"},
                                                                   {"roer.csv", "er ikke en almindelig fil"},
                                                                   {"link.csv", "er et symbolsk link"},
                                                                   {"doedt_link.csv", "er et symbolsk link"}};
    for (const auto& [navn, grund] : afviste) {
        std::string fejl;
        EXPECT_FALSE(atomiskFil::Skriv({{"ny.csv", "ny"}, {navn, "ny"}}, fejl)) << navn;
        EXPECT_EQ(fejl.rfind(navn + " " + grund, 0), 0U) << fejl;
        EXPECT_NE(fejl.find("De tidligere filer er uændrede."), std::string::npos) << fejl;
    }
    EXPECT_EQ(filerI("."), foer) << "nothing written, not even the first file";
    EXPECT_TRUE(std::filesystem::is_fifo("roer.csv"));
    EXPECT_TRUE(std::filesystem::is_symlink("link.csv"));
    EXPECT_EQ(laes("maal.csv"), "maal");

    std::string fejl;
    ASSERT_TRUE(atomiskFil::Skriv({{"maal.csv", "ny"}, {"ny.csv", "ny"}}, fejl)) << fejl;
    EXPECT_EQ(laes("maal.csv"), "ny");
    EXPECT_EQ(laes("ny.csv"), "ny");
}

TEST(AtomiskFil, ALaterFileThatFailsTakesTheTemporaryFilesOfTheEarlierOnesWithIt)
{
    MidlertidigMappe mappe;
    std::ofstream("a.txt") << "gammel";
    std::string fejl;
    EXPECT_FALSE(atomiskFil::Skriv({{"a.txt", "ny"}, {"b.txt", "ny"}, {"findes_ikke/c.txt", "ny"}}, fejl));
    EXPECT_NE(fejl.find("findes_ikke/c.txt: mappen findes ikke. De tidligere filer er uændrede."), std::string::npos)
        << fejl;
    EXPECT_EQ(filerI("."), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(laes("a.txt"), "gammel");
}

TEST(AtomiskFil, TheFinishedFilesGetTheUsualPermissionsOfNewFiles)
{
    MidlertidigMappe mappe;
    std::string fejl;
    for (const mode_t maske : {mode_t{022}, mode_t{027}, mode_t{077}}) {
        const mode_t forrige = ::umask(maske);
        const bool skrevet = atomiskFil::Skriv({{"a.txt", "a"}, {"b.txt", "b"}}, fejl);
        ::umask(forrige);
        ASSERT_TRUE(skrevet) << fejl;
        EXPECT_EQ(rettigheder("a.txt"), 0666 & ~maske);
        EXPECT_EQ(rettigheder("b.txt"), 0666 & ~maske);
    }
}

// The limit's signal would end the program without a word; the write must fail instead.
TEST(AtomiskFil, AFileSizeLimitIsAReportedFailureAndLeavesNoTemporaryFile)
{
    MidlertidigMappe mappe;
    std::ofstream("stor.txt") << "tidligere";
    int roer[2];
    ASSERT_EQ(::pipe(roer), 0);
    const pid_t barn = ::fork();
    ASSERT_NE(barn, -1);
    if (barn == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit lille{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &lille);
        std::string fejl;
        const bool skrevet = atomiskFil::Skriv({{"stor.txt", std::string(100000, 'x')}}, fejl);
        [[maybe_unused]] const auto n = ::write(roer[1], fejl.data(), fejl.size());
        ::_exit(skrevet ? 1 : 0);
    }
    ::close(roer[1]);
    std::string fejl;
    char buffer[512];
    for (ssize_t n = 0; (n = ::read(roer[0], buffer, sizeof buffer)) > 0;)
        fejl.append(buffer, static_cast<size_t>(n));
    ::close(roer[0]);
    int status = 0;
    ::waitpid(barn, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fejl,
              "stor.txt: filen bliver større, end grænsen for filstørrelse tillader. Den tidligere fil er uændret.");
    EXPECT_EQ(filerI("."), std::vector<std::string>{"stor.txt"});
    EXPECT_EQ(laes("stor.txt"), "tidligere");
}
