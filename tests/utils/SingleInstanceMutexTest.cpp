#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "utils/ChildProcess.h"
#include "utils/SingleInstanceMutex.h"
#include "utils/SystemInfo.h"
#include "utils/TextConvert.h"

namespace {

// A child that takes the mutex, says whether it got it, and keeps it until its input ends.
class Holder {
public:
    explicit Holder(const std::wstring& name)
    {
        child_.Start(L"\"" + Utils::FromSystemPath(LP_TEST_CHILD) + L"\" hold-mutex " + name);
        std::string line;
        char c;
        while (line.size() < 16 && child_.OutputPipe().Read(&c, 1) == 1 && c != '\n')
            line += c;
        answer_ = line;
    }
    ~Holder() { Finish(); }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    const std::string& Answer() const { return answer_; }
    std::uint32_t Finish()
    {
        child_.InputPipe().CloseWrite();
        return child_.Wait();
    }
    std::uint32_t Kill()
    {
        child_.Terminate();
        return child_.Wait();
    }

private:
    Utils::ChildProcess child_;
    std::string answer_;
};

class SingleInstanceMutexTest : public ::testing::Test {
protected:
    TestSupport::TempDir runtime_;
    TestSupport::ScopedEnv env_{"XDG_RUNTIME_DIR", runtime_.path()};
    std::wstring name_ = L"test_" + Utils::NewGuidText();
};

TEST_F(SingleInstanceMutexTest, SecondProcessWaitsUntilTheFirstHasExited)
{
    auto first = std::make_unique<Holder>(name_);
    ASSERT_EQ(first->Answer(), "held");
    {
        Holder second(name_);
        EXPECT_EQ(second.Answer(), "busy");
    }
    Utils::SingleInstanceMutex here(name_);
    here.Acquire();
    EXPECT_FALSE(here.IsHeld());

    EXPECT_EQ(first->Finish(), 0u);
    here.Acquire();
    EXPECT_TRUE(here.IsHeld());
    Holder third(name_);
    EXPECT_EQ(third.Answer(), "busy");
    here.Release();
    EXPECT_FALSE(here.IsHeld());
    Holder fourth(name_);
    EXPECT_EQ(fourth.Answer(), "held");
}

TEST_F(SingleInstanceMutexTest, KilledHolderReleasesIt)
{
    Holder first(name_);
    ASSERT_EQ(first.Answer(), "held");
    EXPECT_EQ(first.Kill(), 128u + 9u);
    Holder second(name_);
    EXPECT_EQ(second.Answer(), "held");
}

TEST_F(SingleInstanceMutexTest, NamesAreIndependentAndAcquireIsIdempotent)
{
    Utils::SingleInstanceMutex a(name_);
    a.Acquire();
    ASSERT_TRUE(a.IsHeld());
    a.Acquire();
    EXPECT_TRUE(a.IsHeld());
    Holder other(name_ + L"_other");
    EXPECT_EQ(other.Answer(), "held");
    EXPECT_NE(Utils::SingleInstanceMutex::LockFilePath(name_).find(runtime_.path()), std::string::npos);
    EXPECT_NE(Utils::SingleInstanceMutex::LockFilePath(name_),
              Utils::SingleInstanceMutex::LockFilePath(name_ + L"_other"));
}

}  // namespace
