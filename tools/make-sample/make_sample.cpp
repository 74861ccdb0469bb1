// Writes the sample test Astronomy.tvt that ships with the program, with the
// record writer the program itself uses. Attached files are named "*name":
// they lie in the program directory beside the test.
//
//   make-sample <directory>
#include <cstdio>
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "document/record.h"

namespace {

using qb::QuestionRecord;

struct Question {
    const char* keyword;
    const char* question;
    const char* answer;
    std::vector<const char*> wrong;  // four places; nullptr leaves a gap
    std::vector<const char*> files;  // question text, question picture, answer text, answer picture
};

// Texts hold their line breaks as CR LF, the way a multi-line edit field does.
const std::vector<Question>& Questions() {
    static const std::vector<Question> questions = {
        {"Planets in order",
         "Name the eight planets of the Solar System\r\nin order from the Sun.",
         "Mercury, Venus, Earth, Mars,\r\nJupiter, Saturn, Uranus, Neptune",
         {},
         {"*solar_system.rtf", "*planets.bmp", nullptr, nullptr}},
        {"Closest planet", "Which planet is closest to the Sun?", "Mercury", {"Venus", "Earth", "Mars"}, {}},
        {"Largest planet",
         "Which is the largest planet of the Solar System?",
         "Jupiter",
         {"Saturn", nullptr, "Neptune"},
         {}},
        {"Red planet",
         "Which planet is called the Red Planet?\r\nIts colour comes from iron oxide (rust) in its soil.",
         "Mars",
         {},
         {}},
        {"Light from the Sun",
         "How long does sunlight take to reach the Earth?",
         "About 8 minutes and 20 seconds",
         {"About 1 second", nullptr, nullptr, "About 1 day"},
         {}},
        {"Astronomical unit",
         "What is an astronomical unit (AU)?",
         "The mean distance between the Earth and the Sun,\r\nabout 149.6 million kilometres.",
         {},
         {}},
        {"Phases of the Moon",
         "How long does the Moon take to pass through all its phases once?",
         "About 29.5 days",
         {"About 7 days", "About 365 days"},
         {"*moon_phases.txt", nullptr, nullptr, "*moon.bmp"}},
        {"Rings",
         "Which planets have ring systems?",
         "Jupiter, Saturn, Uranus and Neptune",
         {"Only Saturn", "Saturn and Mars"},
         {nullptr, "*saturn.bmp", nullptr, nullptr}},
        {"Pluto",
         "Since 2006, what has Pluto been classified as?",
         "A dwarf planet",
         {nullptr, "The ninth planet", nullptr, "A moon of Neptune"},
         {}},
        {"Nearest star",
         "Which star is closest to the Sun?",
         "Proxima Centauri",
         {"Sirius", "Polaris", "Betelgeuse", "Vega"},
         {nullptr, nullptr, nullptr, "*stars.bmp"}},
        {"Light-year",
         "What does a light-year measure?",
         "A distance: the way light travels in one year,\r\nabout 9.46 trillion kilometres.",
         {"A span of time of one year"},
         {}},
        {"Our galaxy", "What is the name of the galaxy the Solar System belongs to?", "The Milky Way", {}, {}},
        {"Solar eclipse",
         "What happens during a total solar eclipse?",
         "The Moon passes between the Sun and the Earth\r\nand hides the Sun completely.",
         {"The Earth's shadow falls on the Moon.", nullptr, "The Sun passes behind a planet."},
         {}},
        {"Lunar eclipse",
         "At which phase of the Moon can a lunar eclipse happen?",
         "At full moon",
         {"At new moon", "At first quarter"},
         {}},
        {"Hottest planet",
         "Which planet has the hottest surface?\r\n\r\nHint: it is not the one closest to the Sun.",
         "Venus",
         {"Mercury"},
         {}},
        {"Moons of Mars", "What are the names of the two moons of Mars?", "Phobos and Deimos", {}, {}},
        {"Olympus Mons",
         "On which body lies Olympus Mons,\r\nthe highest volcano known in the Solar System?",
         "Mars",
         {"Venus", "Io", nullptr, "Earth"},
         {}},
        {"Age of the Sun",
         "How old is the Sun?",
         "About 4.6 billion years",
         {nullptr, "About 10,000 years", "About 13.8 billion years"},
         {}},
        {"Kepler's first law",
         "What shape is a planet's orbit according to Kepler's first law?",
         "An ellipse, with the Sun\r\nat one of its two foci",
         {"A perfect circle around the Sun"},
         {}},
        {"Comet tails",
         "In which direction does the tail of a comet point?",
         "Away from the Sun",
         {"Behind the comet, along its path", "Towards the Sun"},
         {}},
    };
    return questions;
}

QuestionRecord ToRecord(const Question& q) {
    QuestionRecord record;
    record.keyword = q.keyword;
    record.slots[qb::kSlotQuestion] = q.question;
    record.slots[qb::kSlotRightAnswer] = q.answer;
    for (size_t i = 0; i < q.wrong.size(); ++i)
        if (q.wrong[i]) record.slots[qb::kSlotWrongAnswer1 + i] = q.wrong[i];
    for (size_t i = 0; i < q.files.size(); ++i)
        if (q.files[i]) record.slots[qb::kFirstFileSlot + i] = q.files[i];
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample <directory>\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/Astronomy.tvt";
    std::unique_ptr<qb::ByteStream> out = qb::RealFileSystem().Open(path, qb::OpenMode::CreateReadWrite);
    std::vector<QuestionRecord> records;
    for (const Question& q : Questions()) records.push_back(ToRecord(q));
    const bool ok = out && qb::WriteTestFile(*out, records, qb::StatusWritten::Zero) && out->Close();
    if (!ok) {
        std::fprintf(stderr, "make-sample: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s: %zu questions\n", path.c_str(), Questions().size());
    return 0;
}
