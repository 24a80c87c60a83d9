# Writes OUTPUT, a C++ source defining kQuestionBankBytes and
# kQuestionBankSize, from INPUT: text with LF line breaks, which become
# "\r\n", with the break after the last line dropped.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
if(bytes MATCHES "0x0d,")
    message(FATAL_ERROR "${INPUT}: the bank source must use LF line breaks only")
endif()
if(NOT bytes MATCHES "0x0a,$")
    message(FATAL_ERROR "${INPUT}: the bank source must end with a line break")
endif()
string(REPLACE "0x0a," "0x0d,0x0a," bytes "${bytes}")
string(REGEX REPLACE "0x0d,0x0a,$" "" bytes "${bytes}")
# Sixteen bytes to a line of source.
string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from the question bank source; do not edit.
extern const unsigned char kQuestionBankBytes[];
extern const int kQuestionBankSize;
const unsigned char kQuestionBankBytes[] = {
    ${bytes}
};
const int kQuestionBankSize = static_cast<int>(sizeof kQuestionBankBytes);
")
