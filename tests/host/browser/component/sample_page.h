// A page with one element of every kind the component gives members of,
// and the frame it shows, for the member tables.
#pragma once

#include "browser/page/page_set.h"
#include "tests/host/browser/component/component_test_support.h"

namespace component_test {

inline constexpr const char* kSampleBody =
    "<div id=\"box\" class=\"panel main\" title=\"提示\" lang=\"zh\" dir=\"ltr\" "
    "style=\"position:absolute; left:10px; top:700px; width:300px; height:100px\">"
    "<p id=\"para\">第一段</p><span id=\"word\">词</span></div>"
    "<form id=\"f\" name=\"quiz\" action=\"/submit.html\" method=\"post\" target=\"_self\">"
    "<input id=\"text1\" name=\"user\" value=\"张三\" maxlength=\"8\" size=\"10\">"
    "<input id=\"radio1\" type=\"radio\" name=\"ra_0\" value=\"A\" checked>"
    "<input id=\"check1\" type=\"checkbox\" name=\"ra_1\" value=\"B\" disabled>"
    "<textarea id=\"area\" name=\"note\" rows=\"3\" cols=\"30\" readonly>多行</textarea>"
    "<select id=\"sel\" name=\"pick\"><option id=\"o1\" value=\"1\" label=\"甲\">一</option>"
    "<option id=\"o2\" value=\"2\" selected>二</option></select>"
    "<button id=\"btn\" type=\"button\" value=\"bv\">按钮</button></form>"
    "<a id=\"link\" href=\"next.html\" target=\"_self\" rel=\"next\">下一页</a>"
    "<img id=\"pic\" src=\"/img/a.png\" alt=\"图\" width=\"40\" height=\"30\" border=\"2\">"
    "<table id=\"tab\" border=\"1\" cellpadding=\"2\" cellspacing=\"3\" width=\"400\"><tbody "
    "id=\"tb\">"
    "<tr id=\"row0\"><td id=\"c00\" colspan=\"2\">甲</td><td id=\"c01\">乙</td></tr>"
    "<tr id=\"row1\"><td>丙</td><td id=\"c11\" rowspan=\"3\">丁</td></tr></tbody></table>"
    "<iframe id=\"frm\" name=\"inner\" src=\"frame.html\" width=\"200\" height=\"100\" "
    "frameborder=\"0\" scrolling=\"no\"></iframe>"
    "<label id=\"lab\" for=\"check1\">选我</label>"
    "<script id=\"scr\" type=\"text/javascript\">var pageValue = 42;</script>";

inline constexpr const char* kSampleHead =
    "<meta id=\"m\" http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"
    "<link id=\"css\" rel=\"stylesheet\" type=\"text/css\" href=\"a.css\">";

inline constexpr const char* kSampleFrameAddress = "http://quiz.example.com/frame.html";

inline browser::PageSet samplePages() {
    browser::PageSet pages;
    pages.add(kAddress, pageWithBody(kSampleBody, kSampleHead));
    pages.add(kSampleFrameAddress, pageWithBody("<p id=\"inside\">框架内</p>"));
    pages.add("http://quiz.example.com/next.html", pageWithBody("<p id=\"next\">下一页到了</p>"));
    return pages;
}

}  // namespace component_test
