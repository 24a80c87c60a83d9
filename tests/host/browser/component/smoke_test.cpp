#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

TEST_F(ComponentTest, Smoke) {
    openBody(
        "<div id=a onclick=\"document.title='点过'\">你好</div><script>var x = 1 + 2;</script>");
    AutomationObject body = readObjectProperty(document(), "body");
    EXPECT_EQ(utf8(readTextProperty(body, "innerText")), utf8("你好"));
    AutomationObject a = byId("a");
    callMethod(a, "click");
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("点过"));
    EXPECT_TRUE(run("document.all.a.innerText = x;"));
    EXPECT_EQ(utf8(readTextProperty(a, "innerText")), "3");
    for (const auto& e : browser().scriptErrors()) ADD_FAILURE() << dom::cp936ToUtf8(e.message);
}

}  // namespace
}  // namespace component_test
