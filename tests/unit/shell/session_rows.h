// The session's operations as tables. A row: what it shows, its starting state
// (Given, from the builders below), one command (Do, Click, ...), the state
// expected after it (Expect) and the messages it shows; RunSessionRows runs each row on a fresh bench.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/disk_files.h"
#include "tests/unit/shell/session_fakes.h"

namespace qb {
namespace session_testing {

using Step = std::function<void(SessionBench&)>;

// One of the session's commands, run on the bench's frame.
inline Step Do(void (TestSession::*command)(FrameView&)) {
    return [command](SessionBench& bench) { (bench.session.*command)(bench.frame); };
}
// Ask a Question with a random walk of the given number of steps.
inline Step AskAfter(int steps) {
    return [steps](SessionBench& bench) {
        bench.random.Append({DrawForSteps(steps)});
        bench.session.AskQuestion(bench.frame);
    };
}
// The user clicks the row of key.
inline Step Select(int32_t key) {
    return [key](SessionBench& bench) { bench.list.Select(key); };
}
// New Question with what the author types (an empty question: Cancel).
inline Step Add(const Typed& typed) {
    return [typed](SessionBench& bench) {
        bench.frame.script.push_back(typed);
        bench.session.NewQuestion(bench.frame);
    };
}
struct MarkerJudged {
    int marker;        // -1 the question marker, 0 to 4 the answers
    std::string text;  // the answer box's text; "<right>" stands for the right answer shown
    MarkerClick judged;
};
// Clicks on the markers, each judged as expected.
inline Step Click(std::vector<MarkerJudged> clicks) {
    return [clicks](SessionBench& bench) {
        for (const MarkerJudged& click : clicks) {
            const std::string text = click.text == "<right>" ? bench.session.Shown().plan.rightAnswer : click.text;
            EXPECT_EQ(bench.session.JudgeMarkerClick(click.marker, text), click.judged) << click.marker << " " << text;
        }
    };
}

// The starting state: steps run in order on a fresh bench.
class Given {
public:
    Given& Then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    Given& Run(void (TestSession::*command)(FrameView&)) { return Then(Do(command)); }
    Given& Ask(int steps = 5) { return Then(AskAfter(steps)); }
    Given& Select(int32_t key) { return Then(session_testing::Select(key)); }
    Given& Add(const Typed& typed) { return Then(session_testing::Add(typed)); }
    Given& Click(std::vector<MarkerJudged> clicks) { return Then(session_testing::Click(std::move(clicks))); }
    Given& Draws(std::vector<int> draws) {
        return Then([draws](SessionBench& bench) { bench.random.Append(draws); });
    }
    // The answer to every message box that asks.
    Given& Answer(MessageAnswer answer) {
        return Then([answer](SessionBench& bench) { bench.frame.answer = answer; });
    }
    // The name the next file dialogs choose, in the bench's directory; "" cancels them.
    Given& Choose(const std::string& name) {
        return Then([name](SessionBench& bench) { bench.frame.chosenPath = name.empty() ? "" : bench.dir.File(name); });
    }
    Given& Type(const Typed& typed) {
        return Then([typed](SessionBench& bench) { bench.frame.script.push_back(typed); });
    }
    Given& Modified(bool modified) {
        return Then([modified](SessionBench& bench) { bench.session.Document().modified = modified; });
    }
    Given& File(const std::string& name, const std::string& bytes) {
        return Then([name, bytes](SessionBench& bench) { testing_support::WriteAll(bench.dir.File(name), bytes); });
    }
    Given& Open(const std::string& name, const std::string& bytes) {
        return Then([name, bytes](SessionBench& bench) { bench.OpenFile(name, bytes); });
    }
    // Memory for question nodes runs out.
    Given& NoMemoryForNodes() {
        return Then([](SessionBench& bench) {
            bench.session.Document().memory = &bench.memory;
            bench.memory.refuse = true;
        });
    }

    void Build(SessionBench& bench) const {
        for (const Step& step : steps_) step(bench);
    }

private:
    std::vector<Step> steps_;
};

// What the row expects after its command: checks run in order.
class Expect {
public:
    Expect& Check(Step check) {
        checks_.push_back(std::move(check));
        return *this;
    }
    // Asked, correct and remaining, as the status bar last showed them.
    Expect& Counted(std::vector<int32_t> counters) {
        return Check([counters](SessionBench& bench) { EXPECT_EQ(bench.list.counters, counters); });
    }
    Expect& Remaining(int32_t remaining) {
        return Check([remaining](SessionBench& bench) {
            EXPECT_EQ(bench.session.CurrentCounters().remaining, remaining);
        });
    }
    Expect& States(std::vector<int> commands, bool enabled) {
        return Check([commands, enabled](SessionBench& bench) {
            for (int command : commands) EXPECT_EQ(bench.Enabled(command), enabled) << "command " << command;
        });
    }
    Expect& Enabled(std::vector<int> commands) { return States(std::move(commands), true); }
    Expect& Disabled(std::vector<int> commands) { return States(std::move(commands), false); }
    // Exactly these commands of the practice and the selection are offered.
    Expect& Offered(std::vector<int> offered) {
        return Check([offered](SessionBench& bench) {
            std::vector<int> now;
            for (int command : {IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET,
                                IDM_TEST_RESET_ALL, IDM_QUESTION_EDIT, IDM_QUESTION_REMOVE})
                if (bench.Enabled(command)) now.push_back(command);
            EXPECT_EQ(now, offered);
        });
    }
    // Exactly these commands of the whole table are enabled.
    Expect& Commands(std::vector<int> commands) {
        std::sort(commands.begin(), commands.end());
        return Check([commands](SessionBench& bench) { EXPECT_EQ(EnabledCommands(bench.session), commands); });
    }
    // The list's rows, top to bottom.
    Expect& Rows(std::vector<std::string> texts) {
        return Check([texts](SessionBench& bench) { EXPECT_EQ(bench.list.Texts(), texts); });
    }
    // The row of key shows text and image.
    Expect& Row(int32_t key, std::string text, int image) {
        return Check([key, text, image](SessionBench& bench) {
            const ListRow* row = bench.list.Row(key);
            ASSERT_NE(row, nullptr) << "no row of key " << key;
            EXPECT_EQ(row->text, text) << "key " << key;
            EXPECT_EQ(row->image, image) << "key " << key;
        });
    }
    // The keys of the index in file order, each with its status.
    Expect& Index(std::vector<std::pair<int32_t, int32_t>> keysAndStatuses) {
        return Check([keysAndStatuses](SessionBench& bench) {
            std::vector<std::pair<int32_t, int32_t>> now;
            for (const QuestionNode* node = bench.session.Document().head; node; node = node->next)
                now.emplace_back(node->key, node->status);
            EXPECT_EQ(now, keysAndStatuses);
            EXPECT_EQ(bench.session.QuestionCount(), static_cast<int32_t>(keysAndStatuses.size()));
        });
    }
    // The selection the commands work on and the row the list highlights; -1 for none.
    Expect& Selected(int32_t key) {
        return Check([key](SessionBench& bench) { EXPECT_EQ(bench.session.SelectedKey(), key); });
    }
    Expect& Highlighted(int32_t key) {
        return Check([key](SessionBench& bench) { EXPECT_EQ(bench.list.highlighted, key); });
    }
    // The question on display and the last one asked, by key; -1 for none.
    Expect& Current(int32_t key) {
        return Check([key](SessionBench& bench) { EXPECT_EQ(KeyOf(bench.session.CurrentQuestion()), key); });
    }
    Expect& LastAsked(int32_t key) {
        return Check([key](SessionBench& bench) { EXPECT_EQ(KeyOf(bench.session.LastAsked()), key); });
    }
    Expect& Modified(bool modified) {
        return Check([modified](SessionBench& bench) { EXPECT_EQ(bench.session.IsModified(), modified); });
    }
    Expect& Open(bool open) {
        return Check([open](SessionBench& bench) { EXPECT_EQ(bench.session.IsOpen(), open); });
    }
    Expect& Busy(std::vector<int> texts) {
        return Check([texts](SessionBench& bench) { EXPECT_EQ(bench.frame.busyTexts, texts); });
    }
    Expect& Dialogs(std::vector<PathDialog> dialogs) {
        return Check([dialogs](SessionBench& bench) { EXPECT_EQ(bench.frame.dialogs, dialogs); });
    }
    Expect& QuestionDialogs(std::vector<EditorMode> modes) {
        return Check([modes](SessionBench& bench) { EXPECT_EQ(bench.frame.dialogModes, modes); });
    }
    Expect& Display(std::vector<DisplayChange> changes) {
        return Check([changes](SessionBench& bench) { EXPECT_EQ(bench.list.displayChanges, changes); });
    }
    // The window title's path: a name in the bench's directory, "" for none.
    Expect& Title(const std::string& name) {
        return Check([name](SessionBench& bench) {
            EXPECT_EQ(bench.list.title, name.empty() ? "" : bench.dir.File(name));
        });
    }
    // A file of the bench's directory holds these bytes.
    Expect& File(const std::string& name, const std::string& bytes) {
        return Check([name, bytes](SessionBench& bench) {
            EXPECT_EQ(testing_support::ReadAll(bench.dir.File(name)), bytes) << name;
        });
    }
    Expect& Exists(const std::string& name, bool exists = true) {
        return Check([name, exists](SessionBench& bench) {
            EXPECT_EQ(session_testing::Exists(bench.dir.File(name)), exists) << name;
        });
    }
    Expect& Missing(const std::string& name) { return Exists(name, false); }

    void Verify(SessionBench& bench) const {
        for (const Step& check : checks_) check(bench);
    }

private:
    static int32_t KeyOf(const QuestionNode* node) { return node ? node->key : -1; }

    std::vector<Step> checks_;
};

struct SessionRow {
    std::string what;
    Given given;
    Step command;
    Expect expected;
    std::vector<Message> told;  // every message the command shows, in order
};

// Each row on a fresh bench: what the starting state showed is forgotten, so
// the row sees only its command's messages, dialogs and busy texts. The busy
// cursor is always restored.
inline void RunSessionRows(const std::vector<SessionRow>& rows) {
    for (const SessionRow& row : rows) {
        SCOPED_TRACE(row.what);
        SessionBench bench;
        row.given.Build(bench);
        bench.ForgetRecords();
        row.command(bench);
        EXPECT_EQ(bench.frame.messages, row.told);
        EXPECT_EQ(bench.frame.busyDepth, 0);
        row.expected.Verify(bench);
    }
}

}  // namespace session_testing
}  // namespace qb
