// Every member of every object kind's table is reachable by name through
// the late-bound layer, in any letter case: each property reads, and each
// method binds (called with more arguments than any method declares, the
// layer refuses it with code -5 before invoking anything, which it can
// only do for a name that bound). Within a table no two names differ only
// in letter case, which binding could not tell apart.
#include <set>

#include "browser/dom/element.h"
#include "browser/objects/browser_object.h"
#include "tests/host/browser/component/sample_page.h"

namespace component_test {
namespace {

class EveryMemberTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(samplePages());
    }
};

TEST_F(EveryMemberTest, EveryTableMemberIsReachableByName) {
    // One object of each kind: the document and window and what hangs off
    // them, and one element of each kind the sample page has.
    const std::vector<const char*> paths = {
        "window",
        "window.navigator",
        "document.location",
        "document.all",
        "document.frames",
        "document.createStyleSheet",
        "document.body.createTextRange",
        "document.body.createControlRange",
        "#box.style",
        "#box",
        "#text1",
        "#area",
        "#sel",
        "#o1",
        "#btn",
        "#link",
        "#pic",
        "#f",
        "#tab",
        "#tb",
        "#row0",
        "#c00",
        "#frm",
        "#scr",
        "#lab",
        "#m",
        "#css",
        "document.body",
        "document",
    };
    std::set<std::string> kinds;
    for (const char* path : paths) {
        AutomationObject object = reach(path);
        ASSERT_FALSE(isEmptyObject(object)) << path;
        const browser::BrowserObject* ours = browser::BrowserObject::from(object.get());
        ASSERT_NE(ours, nullptr) << path;
        const browser::MemberCatalog& members = ours->members();
        kinds.insert(members.interfaceName());
        std::set<std::string> folded;
        for (const browser::MemberEntry& member : members.entries()) {
            SCOPED_TRACE(std::string(path) + " " + member.name);
            std::string shouted = dom::asciiUpper(member.name);
            EXPECT_TRUE(folded.insert(shouted).second) << "two names differ only in letter case";
            if (!member.isMethod) {
                ASSERT_TRUE(member.readable);
                AutomationVariant value = readVariantProperty(object, Text(shouted));
                EXPECT_EQ(lastCallError(), 0) << utf8(lastCallErrorText());
            } else if (member.name != "write" && member.name != "writeln") {
                callMethod(object, Text(shouted), {1, 2, 3, 4, 5, 6});
                EXPECT_EQ(lastCallError(), -5) << utf8(lastCallErrorText());
            }
        }
    }
    EXPECT_EQ(kinds.size(), paths.size());  // no kind twice: each path a table of its own
}

}  // namespace
}  // namespace component_test
