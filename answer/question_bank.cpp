#include "answer/question_bank.h"

#include "runtime/conversions.h"

// Generated at build time from resources/question_bank.txt.
extern const unsigned char kQuestionBankBytes[];
extern const int kQuestionBankSize;

const Bytes& questionBank() {
    static const Bytes bank(kQuestionBankBytes, kQuestionBankSize);
    return bank;
}

LoadedBank loadBank(const Bytes& bank) {
    LoadedBank loaded;
    loaded.bankText = toText(bank);
    loaded.bankLines = splitText(loaded.bankText, "\r\n");
    return loaded;
}
