// A process that replaces a file is killed at random moments, a few hundred
// times: the file must always be whole, its old content or its new one. The
// writer is `vtxss sheet --import`, which saves through the core library's
// writeFileAtomically, as every writer of the module does.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// 300 kills, or as many as fit in 20 s when runs are slow (sanitizer
// builds), but never fewer than 100.
constexpr int kKills = 300;
constexpr int kFewestKills = 100;
constexpr auto kBudget = std::chrono::seconds(20);

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A cell list of rows x 4 cells: numbers, texts and formulas, so that the
// written sheet file is about 120 bytes a row.
std::string cellList(int rows, const std::string& text) {
    std::string list = "W\tkilled\t" + std::to_string(rows * 4) + "\n";
    for (int r = 0; r < rows; ++r) {
        const std::string row = std::to_string(r);
        list += "C\t" + row + "\t0\tn\t" + std::to_string(r * 7 + 1) + "\n";
        list += "C\t" + row + "\t1\ts\t" + text + " " + row + "\n";
        list += "C\t" + row + "\t2\tf\tA" + std::to_string(r + 1) + "*2\n";
        list += "C\t" + row + "\t3\ts\tpadding to make the row longer " + row + "\n";
    }
    return list;
}

// Starts `vtxss sheet --import list --out target`, its output discarded.
pid_t startImport(const fs::path& list, const fs::path& target) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(VTXSS_PROGRAM, VTXSS_PROGRAM, "sheet", "--import", list.c_str(), "--out",
                target.c_str(), "--quiet", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

// Runs an import to its end; returns how long it took.
Clock::duration importWhole(const fs::path& list, const fs::path& target) {
    const Clock::time_point start = Clock::now();
    const int status = waitFor(startImport(list, target));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the import failed";
    return Clock::now() - start;
}

class KilledWrite : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0;; ++i) {
            m_folder = fs::temp_directory_path() /
                       ("vtx_killed_" + std::to_string(::getpid()) + "_" + std::to_string(i));
            if (fs::create_directory(m_folder))
                break;
        }
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
    fs::path m_folder;
};

// Temporary files the killed writers left beside the target.
int removeLeftovers(const fs::path& folder, const std::string& target) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > target.size() && name.starts_with(target + ".~")) {
            fs::remove(entry.path());
            ++count;
        }
    }
    return count;
}

} // namespace

TEST_F(KilledWrite, TheTargetIsAlwaysTheWholeOldOrTheWholeNewFile) {
    const fs::path oldList = m_folder / "old.cells";
    const fs::path newList = m_folder / "new.cells";
    writeAll(oldList, cellList(100, "old"));
    writeAll(newList, cellList(600, "new"));
    importWhole(oldList, m_folder / "old.kss");
    std::vector<Clock::duration> times;
    for (int i = 0; i < 3; ++i)
        times.push_back(importWhole(newList, m_folder / "new.kss"));
    std::sort(times.begin(), times.end());
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(times[1]).count();
    const std::string oldBytes = readAll(m_folder / "old.kss");
    const std::string newBytes = readAll(m_folder / "new.kss");
    ASSERT_GT(oldBytes.size(), 5000u);
    ASSERT_GT(newBytes.size(), oldBytes.size());

    // Half the kills fall anywhere in a run (or just after it), half near
    // its end, where the file is written.
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> anywhere(0.0, 1.15);
    std::uniform_real_distribution<double> nearEnd(0.6, 1.05);
    const fs::path target = m_folder / "target.kss";
    int keptOld = 0;
    int gotNew = 0;
    int leftovers = 0;
    int kills = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < kKills && (i < kFewestKills || Clock::now() - start < kBudget); ++i) {
        writeAll(target, oldBytes);
        const double share = i % 2 == 0 ? anywhere(random) : nearEnd(random);
        const pid_t pid = startImport(newList, target);
        std::this_thread::sleep_for(
            std::chrono::microseconds(static_cast<long long>(share * static_cast<double>(whole))));
        ::kill(pid, SIGKILL);
        waitFor(pid);
        const std::string bytes = readAll(target);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes)
            << "kill " << i << " (seed " << seed << ", at " << share << " of a run) left a file of "
            << bytes.size() << " bytes that is neither the old (" << oldBytes.size()
            << ") nor the new (" << newBytes.size() << ")";
        (bytes == oldBytes ? keptOld : gotNew) += 1;
        leftovers += removeLeftovers(m_folder, "target.kss");
        ++kills;
    }
    std::printf("%d kills (a whole run takes %lld us): %d kept the old file, %d had the new one, "
                "%d left a temporary file\n",
                kills, static_cast<long long>(whole), keptOld, gotNew, leftovers);
    // Kills on both sides of the rename: the moments covered the write.
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(gotNew, 0);
}
