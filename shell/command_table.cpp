#include "shell/command_table.h"

#include "shell/resource_ids.h"

namespace qb {

const ToolbarEntry kToolbarEntries[kToolbarEntryCount] = {
    {0, IDM_FILE_NEW},
    {1, IDM_FILE_OPEN},
    {2, IDM_FILE_CLOSE},
    {3, IDM_FILE_SAVE},
    {4, IDM_FILE_SAVE_AS},
    {-1, 0},
    {5, IDM_QUESTION_NEW},
    {6, IDM_QUESTION_EDIT},
    {7, IDM_QUESTION_REMOVE},
    {-1, 0},
    {8, IDM_TEST_ASK},
    {9, IDM_TEST_SHOW_ANSWER},
    {10, IDM_TEST_MARK_ANSWERED},
    {11, IDM_TEST_RESET},
    {12, IDM_TEST_RESET_ALL},
    {-1, 0},
    {13, IDM_HELP},
};

const int kDocumentCommands[kDocumentCommandCount] = {
    IDM_FILE_CLOSE,         IDM_FILE_SAVE,       IDM_FILE_SAVE_AS,   IDM_QUESTION_NEW,
    IDM_QUESTION_EDIT,      IDM_QUESTION_REMOVE, IDM_TEST_ASK,       IDM_TEST_SHOW_ANSWER,
    IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET,      IDM_TEST_RESET_ALL,
};

const int kOpenTestCommands[kOpenTestCommandCount] = {
    IDM_FILE_CLOSE,
    IDM_FILE_SAVE,
    IDM_FILE_SAVE_AS,
    IDM_QUESTION_NEW,
};

}  // namespace qb
