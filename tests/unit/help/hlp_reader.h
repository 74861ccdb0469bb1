// A reader of help files for the tests, written apart from the generator so
// that it checks the file against the format rather than against the
// generator's own idea of it. Every structural fault throws HlpReadError.
#pragma once
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace hlptest {

class HlpReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TreeView {
    uint16_t flags = 0;
    uint16_t pageSize = 0;
    std::string structure;
    int pageSplits = 0;
    int rootPage = 0;
    int totalPages = 0;
    int levels = 0;
    int32_t totalEntries = 0;
    std::vector<int> leafPages;              // in chain order
    std::vector<std::string> leafEntries;    // raw bytes of every leaf entry, in order
    std::vector<std::string> leafFirstKeys;  // raw key of each leaf page's first entry
    std::vector<int> leafEntryCounts;
};

struct Link {
    std::string text;
    uint32_t hash;
};

struct ReadParagraph {
    uint32_t position = 0;  // TOPICPOS of its record
    uint16_t bits = 0;
    int spaceAbove = 0;
    int leftIndent = 0;
    int font = -1;     // the first font switched to
    std::string text;  // all strings joined
    std::vector<Link> links;
};

struct ReadRecord {
    uint32_t position = 0;
    uint32_t offset = 0;  // TOPICOFFSET, computed while walking the chain
    uint32_t block = 0;
    uint32_t blockSize = 0;
    uint32_t dataLen2 = 0;
    uint8_t type = 0;
};

struct ReadTopic {
    uint32_t position = 0;
    uint32_t offset = 0;
    uint32_t topicSize = 0;
    uint32_t topicNumber = 0;
    uint32_t firstParagraph = 0;
    uint32_t nextHeader = 0;
    std::string title;
    std::vector<ReadParagraph> paragraphs;
};

struct ReadKeyword {
    std::string text;
    uint16_t count = 0;
    std::vector<uint32_t> offsets;
};

struct HelpView {
    std::map<std::string, uint32_t> directory;  // name -> offset of its FILEHEADER
    std::map<std::string, std::string> files;   // name -> data
    std::string title;
    std::string copyright;
    bool hasContents = false;
    uint32_t contentsOffset = 0;
    std::vector<ReadRecord> records;  // in chain order
    std::vector<ReadTopic> topics;    // real topics, without the trailing empty one
    uint32_t trailingTopicNumber = 0;
    std::vector<uint32_t> blockHeaders;  // three words per block
    TreeView context;
    std::vector<std::pair<int32_t, uint32_t>> contextEntries;
    std::vector<std::pair<uint32_t, std::string>> titles;
    std::vector<ReadKeyword> keywords;
    TreeView keywordTree;
};

HelpView ReadHelpFile(const std::string& bytes);

// Parses one B+ tree internal file whose entries have the given layout
// ("z4", "L4", "Lz", "F24").
TreeView ReadTree(const std::string& data);

// Looks a hash up in |CONTEXT the way the viewer does (descending by signed
// comparison); returns false when it is not found.
bool LookUpContext(const std::string& contextFile, uint32_t hash, uint32_t& topicOffset);

// The topic whose TOPICOFFSET is exactly the given one, or nullptr.
const ReadTopic* TopicAt(const HelpView& view, uint32_t offset);

}  // namespace hlptest
