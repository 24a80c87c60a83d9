// Page script: <script> blocks and inline handlers run in duktape with the
// component's objects; execScript runs code in the page's global scope,
// where what it defines replaces the page's own; errors surface as
// DISP_E_EXCEPTION (code -11); dialogs a page asks for can be replaced by
// script, as the tool does to silence them.
#include "tests/host/browser/component/component_test_support.h"

namespace component_test {
namespace {

using ScriptTest = ComponentTest;

TEST_F(ScriptTest, ScriptBlocksRunInOrderAndWriteWhereTheyStand) {
    openBody(
        "<p id=a>前</p><script>var order = ['一']; document.write('<p id=w>写的</p>');</script>"
        "<p id=b>后</p><script>order.push('二'); document.title = order.join('') +"
        " document.getElementById('w').innerText;</script>",
        "<script>document.write('<p>头</p>');</script>");
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), utf8("一二写的"));
    // What the head's script wrote starts the body, as a browser parsing it places it.
    AutomationObject body = readObjectProperty(document(), "body");
    EXPECT_EQ(utf8(readTextProperty(body, "innerText")),
              utf8("头\r\n\r\n前\r\n\r\n写的\r\n\r\n后"));
    EXPECT_TRUE(browser().scriptErrors().empty());
}

TEST_F(ScriptTest, InlineHandlersRunWithTheElementAndTheEvent) {
    openBody(
        "<span id=s onclick=\"this.innerText = event.type + ':' + event.srcElement.id +"
        " ':' + window.event.type\">点</span>");
    AutomationObject span = byId("s");
    callMethod(span, "click");
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(utf8(readTextProperty(span, "innerText")), "click:s:click");
}

TEST_F(ScriptTest, ExecScriptReplacesThePagesFunctions) {
    openBody("<span id=g onclick=\"this.innerText = grade()\">0</span>",
             "<script>function grade() { return '页面'; }</script>");
    AutomationObject span = byId("g");
    callMethod(span, "click");
    EXPECT_EQ(utf8(readTextProperty(span, "innerText")), utf8("页面"));
    ASSERT_TRUE(run("function grade() { return '替换'; }"));
    callMethod(span, "click");
    EXPECT_EQ(utf8(readTextProperty(span, "innerText")), utf8("替换"));
}

TEST_F(ScriptTest, ScriptErrorsSurfaceAsExceptions) {
    openBody("<p>x</p>");
    struct Case {
        const char* code;
        const char* errorStart;
    };
    const std::vector<Case> cases = {
        {"undefinedFunction();", "ReferenceError"},
        {"var = ;", "SyntaxError"},
        {"throw new Error('页面出错');", "Error: 页面出错"},
        {"document.getElementById('x').innerText = 1;", "TypeError"},
    };
    AutomationObject w = window();
    for (const Case& c : cases) {
        browser().forgetScriptErrors();
        callMethod(w, "execScript", {c.code, "JavaScript"});
        EXPECT_EQ(lastCallError(), -11) << c.code;
        EXPECT_EQ(utf8(lastCallErrorText()), utf8("发现异常")) << c.code;
        ASSERT_EQ(browser().scriptErrors().size(), 1u) << c.code;
        EXPECT_EQ(utf8(browser().scriptErrors()[0].message).rfind(utf8(c.errorStart), 0), 0u)
            << utf8(browser().scriptErrors()[0].message);
    }
}

TEST_F(ScriptTest, ErrorsOfTheComponentReachScriptAsExceptions) {
    openBody("<input id=i>");
    ASSERT_TRUE(
        run("try { document.getElementById('i').innerHTML = '<b>x</b>'; }"
            " catch (e) { document.title = 'caught: ' + e.message; }"));
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), "caught: Unknown runtime error");
}

TEST_F(ScriptTest, ScriptReplacesTheDialogsAsTheToolSilencesThem) {
    openBody(
        "<span id=a onclick=\"alert('页面的提示'); this.innerText = confirm('确定？')\">x</span>");
    AutomationObject span = byId("a");
    callMethod(span, "click");
    ASSERT_EQ(browser().shownDialogs().size(), 2u);
    EXPECT_EQ(utf8(browser().shownDialogs()[0].text), utf8("页面的提示"));
    EXPECT_EQ(utf8(readTextProperty(span, "innerText")), "true");
    browser().forgetShownDialogs();

    AutomationObject w = window();
    for (const char* code :
         {"function alert(){return;}", "function confirm(){return;}", "function prompt(){return;}",
          "function showModalDialog(){return;}", "window.onbeforeunload=null;"}) {
        callMethod(w, "execScript", {code, "JScript"});
        EXPECT_EQ(lastCallError(), 0) << code;
    }
    callMethod(span, "click");
    EXPECT_TRUE(browser().shownDialogs().empty());
    EXPECT_EQ(utf8(readTextProperty(span, "innerText")), "undefined");
}

TEST_F(ScriptTest, AssigningWindowAlertReplacesItToo) {
    openBody("<span id=a onclick=\"alert('x')\">x</span>");
    ASSERT_TRUE(run("var shown = 0; window.alert = function () { shown++; };"));
    callMethod(byId("a"), "click");
    EXPECT_TRUE(browser().shownDialogs().empty());
    ASSERT_TRUE(run("document.title = shown;"));
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), "1");
}

TEST_F(ScriptTest, EvaluatingThroughAHiddenTextAreaAsTheToolDoes) {
    openBody("<p>内容</p>", "<script>var answer = 6 * 7;</script>");
    AutomationObject body = readObjectProperty(document(), "body");
    callMethod(body, "insertAdjacentHTML",
               {"beforeBegin", "<textarea id=resultjs style='display:none;' ></textarea>"});
    ASSERT_EQ(lastCallError(), 0);
    AutomationObject w = readObjectProperty(document(), "ParentWindow");
    callMethod(w, "execScript", {"document.all.resultjs.innerText=answer + '分'"});
    ASSERT_EQ(lastCallError(), 0);
    AutomationObject all = readObjectProperty(document(), "all");
    AutomationObject area = callObjectMethod(all, "namedItem", {"resultjs"});
    EXPECT_EQ(utf8(readTextProperty(area, "value")), utf8("42分"));
    EXPECT_TRUE(writeProperty(area, "outerHTML", ""));
    EXPECT_TRUE(isEmptyObject(callObjectMethod(all, "namedItem", {"resultjs"})));
}

TEST_F(ScriptTest, FireEventRunsTheHandlerAndGivesItsResult) {
    openBody(
        "<span id=no onclick=\"this.title = 'ran'; return false\">a</span>"
        "<span id=yes onclick=\"return true\">b</span><span id=none>c</span>"
        "<input id=c type=checkbox onclick=\"event.returnValue = false\">");
    struct Case {
        const char* id;
        bool result;
    };
    const std::vector<Case> cases = {{"no", false}, {"yes", true}, {"none", true}, {"c", false}};
    for (const Case& c : cases) {
        AutomationObject element = byId(c.id);
        // As the tool fires an event: the handler read first, both passed
        // as the caller's variables.
        Text name("onclick");
        AutomationVariant handler = readVariantProperty(element, name);
        EXPECT_EQ(lastCallError(), 0) << c.id;
        bool result = callBoolMethod(
            element, "FireEvent",
            {AutomationArgument::reference(name), AutomationArgument::reference(handler)});
        EXPECT_EQ(lastCallError(), 0) << c.id;
        EXPECT_EQ(result, c.result) << c.id;
    }
    EXPECT_EQ(utf8(readTextProperty(byId("no"), "title")), "ran");
    // fireEvent does not do what a click does by default.
    AutomationVariant checked = readVariantProperty(byId("c"), "checked");
    EXPECT_FALSE(variantToBool(checked));
    callBoolMethod(byId("c"), "fireEvent", {"click"});
    EXPECT_EQ(lastCallError(), -18);
}

TEST_F(ScriptTest, HandlersAssignedFromEitherSideAreTheSameFunctions) {
    openBody("<span id=a>a</span><span id=b onclick=\"this.title = 'b'; return 7\">b</span>");
    ASSERT_TRUE(
        run("document.getElementById('a').onclick = function () { this.title = '脚本'; };"));
    AutomationObject a = byId("a");
    AutomationVariant handler = readVariantProperty(a, "onclick");
    EXPECT_EQ(handler.type(), VT_DISPATCH);
    callMethod(a, "click");
    EXPECT_EQ(utf8(readTextProperty(a, "title")), utf8("脚本"));

    // b's handler, moved to a through the layer, runs with a as its this.
    AutomationObject b = byId("b");
    AutomationVariant fromB = readVariantProperty(b, "onclick");
    EXPECT_TRUE(writeProperty(a, "onclick", fromB));
    callMethod(a, "click");
    EXPECT_EQ(utf8(readTextProperty(a, "title")), "b");
    ASSERT_TRUE(
        run("document.title = document.getElementById('a').onclick =="
            " document.getElementById('b').onclick;"));
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), "true");
    // A handler is a function object: calling it as one runs it.
    AutomationObject function = readObjectProperty(b, "onclick");
    EXPECT_EQ(readNumberProperty(function, "call"), 7.0);
    AutomationVariant null;
    null.put()->vt = VT_NULL;
    EXPECT_TRUE(writeProperty(a, "onclick", null));
    AutomationVariant cleared = readVariantProperty(a, "onclick");
    EXPECT_EQ(cleared.type(), VT_NULL);
}

TEST_F(ScriptTest, ScriptSeesStylesCollectionsAndTheSameObjects) {
    openBody("<div id=box>盒子</div><p name=n>1</p><p name=n>2</p>");
    ASSERT_TRUE(
        run("var box = document.all.box; box.style.display = 'none';"
            "document.title = [document.all.n.length, document.all['n'][1].innerText,"
            " document.getElementsByTagName('p').item(0).innerText,"
            " box === document.getElementById('box'), window === window.self,"
            " document.all.length, typeof document.all.nothing].join();"));
    EXPECT_EQ(utf8(readTextProperty(document(), "title")), "2,2,1,true,true,7,undefined");
    EXPECT_EQ(readNumberProperty(byId("box"), "offsetWidth"), 0.0);
}

TEST_F(ScriptTest, AHandlersErrorIsRecordedAndTheClickGoesOn) {
    openBody("<input id=c type=checkbox onclick=\"missing()\">");
    AutomationObject box = byId("c");
    callMethod(box, "click");
    EXPECT_EQ(lastCallError(), 0);
    EXPECT_EQ(browser().scriptErrors().size(), 1u);
    EXPECT_TRUE(variantToBool(readVariantProperty(box, "checked")));
}

TEST_F(ScriptTest, ScriptMakesStyleSheetsAsTheToolHidesTheScrollBars) {
    openBody("<p>x</p>");
    AutomationVariant result = callVariantMethod(
        window(), "execScript",
        {"var jie = document.createStyleSheet();jie.addRule('html','overflow:hidden;');"});
    EXPECT_EQ(lastCallError(), 0);
    ASSERT_TRUE(run("document.title = jie.cssText;"));
    EXPECT_EQ(readTextProperty(document(), "title").bytes(), "html { overflow:hidden; }");
}

TEST_F(ScriptTest, LoadErrorsAreRecordedAndTheLoadGoesOn) {
    openBody("<script>broken(;</script><script>document.title = 'after';</script>");
    EXPECT_EQ(browser().scriptErrors().size(), 1u);
    EXPECT_EQ(readTextProperty(document(), "title").bytes(), "after");
    EXPECT_EQ(browser().scriptErrors()[0].address, kAddress);
}

}  // namespace
}  // namespace component_test
