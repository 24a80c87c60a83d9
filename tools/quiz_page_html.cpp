// The quiz page as HTML. Its layout follows the page text line for line:
// the title as a heading, the instructions and every question and option as
// paragraphs (a paragraph ends with an empty line), and the next-question
// button's text last.
#include <string>

#include "runtime/conversions.h"
#include "tools/quiz_page.h"

namespace {

std::string escaped(const Text& text) {
    std::string out;
    for (char c : text.bytes()) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The page's own script: the key of right page letters, and the grading the
// next-question button does as it moves on.
const char* const kGradingScript = R"(
var current = 0, answered = 0, score = 0, results = [];
function chosenLetters(question) {
  var inputs = document.getElementsByName("ra_" + question), letters = "";
  for (var i = 0; i < inputs.length; i++) {
    if (inputs[i].checked) letters += inputs[i].value;
  }
  return letters;
}
function sortedLetters(letters) { return letters.split("").sort().join(""); }
function nextQuestion() {
  if (current >= key.length) return false;
  var right = sortedLetters(chosenLetters(current)) == sortedLetters(key[current]);
  results.push(right);
  if (right) score++;
  answered++;
  current++;
  return false;
}
)";

}  // namespace

Text quizPageHtml(const QuizPage& page) {
    std::string key;
    for (const QuizPageQuestion& q : page.questions) {
        key += (key.empty() ? "\"" : ", \"") + q.expectedLetters.bytes() + "\"";
    }
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"gbk\">\n<title>" +
                       escaped(kQuizTitle) + "</title>\n<script>\nvar key = [" + key + "];" +
                       kGradingScript + "</script>\n</head>\n<body>\n";
    html += "<h2>" + escaped(kQuizTitle) + "</h2>\n<p>" + escaped(kQuizInstructions) + "</p>\n";
    html += "<form name=\"quiz\">\n";
    for (std::size_t i = 0; i < page.questions.size(); ++i) {
        const QuizPageQuestion& q = page.questions[i];
        const char* type = textLength(q.expectedLetters) > 1 ? "checkbox" : "radio";
        std::string name = "ra_" + std::to_string(i);
        html += "<div class=\"question\" id=\"question" + std::to_string(i + 1) + "\">\n<p>" +
                std::to_string(i + 1) + "." + escaped(q.questionText) + "</p>\n";
        for (int option = 0; option < 4; ++option) {
            html += std::string("<p><label><input type=\"") + type + "\" name=\"" + name +
                    "\" value=\"" + kOptionLetters[option] + "\">" + kOptionLetters[option] + "." +
                    escaped(q.options[option]) + "</label></p>\n";
        }
        html += "</div>\n";
    }
    // The button is the outermost element whose whole text is "下一题", so a
    // search for that text finds the element that answers the click.
    html += "</form>\n<p id=\"next\" onclick=\"return nextQuestion()\">" +
            std::string(kNextButtonText) + "</p>\n</body>\n</html>\n";
    return Text(std::move(html));
}
