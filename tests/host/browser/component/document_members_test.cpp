// Every document member, reached by name through the late-bound layer.
#include "tests/host/browser/component/sample_page.h"

namespace component_test {
namespace {

class DocumentMembersTest : public ComponentTest {
protected:
    void SetUp() override {
        ComponentTest::SetUp();
        open(samplePages());
    }
};

TEST_F(DocumentMembersTest, PropertiesAndLookups) {
    expectReads({
        {"document", "documentElement", {}, "tagName", "HTML"},
        {"document", "body", {}, "tagName", "BODY"},
        {"document", "all", {}, "length", "31"},
        {"document", "frames", {}, "length", "1"},
        {"document", "parentWindow", {}, "name", ""},
        {"document", "cookie", {}, nullptr, ""},
        {"document", "title", {}, nullptr, "测试页"},
        {"document", "charset", {}, nullptr, "gbk"},
        {"document", "domain", {}, nullptr, "quiz.example.com"},
        {"document", "location", {}, nullptr, kAddress},
        {"document", "location", {}, "pathname", "/index.html"},
        {"document", "URL", {}, nullptr, kAddress},
        {"document", "readyState", {}, nullptr, "complete"},
        {"document", "getElementById", {"word"}, "innerText", "词"},
        {"document", "getElementsByName", {"ra_0"}, "length", "1"},
        {"document", "getElementsByTagName", {"TD"}, "length", "4"},
        {"document", "elementFromPoint", {15, 705}, "id", "para"},
        {"document", "forms", {}, "length", "1"},
        {"document", "images", {}, "length", "1"},
        {"document", "links", {}, "length", "1"},
        {"document", "scripts", {}, "length", "1"},
        {"document", "createElement", {"span"}, "tagName", "SPAN"},
        {"document", "activeElement", {}, "tagName", "BODY"},
        {"document", "referrer", {}, nullptr, ""},
    });
}

TEST_F(DocumentMembersTest, AnElementFromPointOutsideTheViewportIsNoObject) {
    AutomationObject nothing = callObjectMethod(document(), "elementFromPoint", {5000, 5});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_TRUE(isEmptyObject(nothing));
    EXPECT_TRUE(isEmptyObject(callObjectMethod(document(), "getElementById", {"missing"})));
}

TEST_F(DocumentMembersTest, CookiesAreAddedAndReplacedOneAtATime) {
    struct Case {
        const char* written;
        const char* read;
    };
    const std::vector<Case> cases = {
        {"a=b; path=/", "a=b"},
        {"c=d", "a=b; c=d"},
        {"a=x; expires=Fri, 31 Dec 2099 23:59:59 GMT", "a=x; c=d"},
        {"c=; expires=Thu, 01 Jan 1970 00:00:00 GMT", "a=x"},
        {"名=值", "a=x; 名=值"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(writeProperty(document(), "cookie", c.written)) << c.written;
        EXPECT_EQ(utf8(readTextProperty(document(), "cookie")), utf8(c.read)) << c.written;
    }
}

TEST_F(DocumentMembersTest, WritableProperties) {
    struct Case {
        const char* member;
        const char* written;
        const char* read;
    };
    const std::vector<Case> cases = {
        {"title", "新标题", "新标题"},
        {"charset", "UTF-8", "utf-8"},
        {"domain", "example.com", "example.com"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(writeProperty(document(), c.member, c.written)) << c.member;
        EXPECT_EQ(utf8(readTextProperty(document(), c.member)), utf8(c.read)) << c.member;
    }
    // A domain that is not a suffix of the page's own is refused.
    EXPECT_FALSE(writeProperty(document(), "domain", "other.org"));
    EXPECT_EQ(utf8(readTextProperty(document(), "domain")), "example.com");
}

TEST_F(DocumentMembersTest, WriteAfterLoadReplacesTheDocumentContent) {
    callMethod(document(), "write", {"<p id=w>写入的</p>"});
    EXPECT_EQ(lastCallError(), 0);
    callMethod(document(), "write", {"<p>第二次</p>"});
    AutomationObject body = readObjectProperty(document(), "body");
    EXPECT_EQ(utf8(readTextProperty(body, "innerText")), utf8("写入的\r\n\r\n第二次"));
    callMethod(document(), "close");
    callMethod(document(), "write", {"<b>重新</b>"});
    body = readObjectProperty(document(), "body");
    EXPECT_EQ(utf8(readTextProperty(body, "innerHTML")), utf8("<B>重新</B>"));
}

TEST_F(DocumentMembersTest, CreateStyleSheetTakesRules) {
    AutomationObject sheet = callObjectMethod(document(), "createStyleSheet");
    ASSERT_FALSE(isEmptyObject(sheet));
    callMethod(sheet, "addRule", {"html", "overflow:hidden;"});
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(utf8(readTextProperty(sheet, "cssText")), "html { overflow:hidden; }");
}

TEST_F(DocumentMembersTest, DocumentAnswersForItsDocumentInterfaces) {
    for (const char* id :
         {"{626FC520-A41E-11CF-A731-00A0C9082637}", "{332C4425-26CB-11D0-B483-00C04FD90119}"}) {
        AutomationObject asked;
        EXPECT_TRUE(queryObjectInterface(asked, document(), id)) << id;
        EXPECT_EQ(asked.get(), document().get()) << id;
    }
}

}  // namespace
}  // namespace component_test
