// Line input editing, Return and clipboard; the up/down control.
#include <cstring>

#include "tests/toolkit/widgets/test_widgets_fixture.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/platform/uxplatform.h"
#include "toolkit/widgets/uxlineinput.h"

namespace {

using LineInput = WidgetWindow;

TEST_F(LineInput, EditingKeysMoveAndDelete) {
    uxLineInput li;
    uxlineinput_create(&li, "x=10,y=10,xs=200,default=ab c");
    EXPECT_STREQ(uxlineinput_text(&li), "abc");  // blanks removed from default=
    EXPECT_EQ(li.base.role, UXROLE_TEXTFIELD);
    uxwidget_focus(&li.base);
    type("X");
    EXPECT_STREQ(uxlineinput_text(&li), "X");  // typing after the focus arrives replaces
    type("yz");
    key(UXKEY_HOME);
    type("<");
    key(UXKEY_END);
    type(">");
    EXPECT_STREQ(uxlineinput_text(&li), "<Xyz>");
    key(UXKEY_LEFT);
    key(UXKEY_BACKSPACE);
    EXPECT_STREQ(uxlineinput_text(&li), "<Xy>");
    key(UXKEY_HOME);
    key(UXKEY_DELETE);
    key(UXKEY_RIGHT);
    key(UXKEY_DELETE);
    EXPECT_STREQ(uxlineinput_text(&li), "X>");
    key(UXKEY_HOME);
    key(UXKEY_BACKSPACE);  // nothing before the cursor
    key(UXKEY_END);
    key(UXKEY_DELETE);     // nothing after it
    EXPECT_STREQ(uxlineinput_text(&li), "X>");
    type("\xe4");  // Latin-1 letters are characters too
    EXPECT_STREQ(uxlineinput_text(&li), "X>\xe4");
    uxlineinput_destroy(&li);
}

TEST_F(LineInput, MaxlenLimitsTypingSettingAndReading) {
    uxLineInput li;
    uxlineinput_create(&li, "x=10,y=10,maxlen=4");
    uxwidget_focus(&li.base);
    type("123456");
    EXPECT_STREQ(uxlineinput_text(&li), "1234");
    uxlineinput_set_text(&li, "abcdefgh");
    EXPECT_STREQ(uxlineinput_text(&li), "abcd");
    char small[3];
    uxlineinput_get_text(&li, small, sizeof small);
    EXPECT_STREQ(small, "ab");
    char big[64];
    uxlineinput_get_text(&li, big, sizeof big);
    EXPECT_STREQ(big, "abcd");
    uxlineinput_get_text(&li, big, 0);  // no room: untouched, no crash
    // a text far longer than the widget's own limit is cut, not overrun
    static char huge[5000];
    std::memset(huge, 'q', sizeof huge - 1);
    uxLineInput free_len;
    uxlineinput_create(&free_len, "x=10,y=40");
    uxlineinput_set_text(&free_len, huge);
    EXPECT_EQ(static_cast<int>(std::strlen(uxlineinput_text(&free_len))), 1023);
    uxlineinput_destroy(&free_len);
    uxlineinput_destroy(&li);
}

TEST_F(LineInput, ReturnMovesFocusOrConfirmsTheDialog) {
    uxLineInput first, second;
    uxButton ok;
    uxlineinput_create(&first, "x=10,y=10");
    uxlineinput_create(&second, "x=10,y=40");
    uxbutton_create(&ok, "OK,x=10,y=80,default");
    uxwidget_focus(&first.base);
    key(UXKEY_RETURN);
    EXPECT_EQ(win.focus, &second.base);
    EXPECT_EQ(posted(uxbutton_id(&ok)), 0);
    key(UXKEY_RETURN);  // next would be the button: the default button confirms instead
    EXPECT_EQ(posted(uxbutton_id(&ok)), 1);
    EXPECT_EQ(win.focus, &second.base);
    uxbutton_destroy(&ok);
    uxlineinput_destroy(&second);
    uxlineinput_destroy(&first);
}

TEST_F(LineInput, KeepfocusLeavesReturnToTheWindow) {
    uxLineInput li, other;
    uxlineinput_create(&li, "x=10,y=10,keepfocus");
    uxlineinput_create(&other, "x=10,y=40");
    uxwidget_focus(&li.base);
    key(UXKEY_RETURN);
    EXPECT_EQ(win.focus, &li.base);
    uxlineinput_destroy(&other);
    uxlineinput_destroy(&li);
}

TEST_F(LineInput, ClipboardCopyCutPaste) {
    uxLineInput li;
    uxlineinput_create(&li, "x=10,y=10,maxlen=6");
    uxlineinput_set_text(&li, "abc");
    uxwidget_focus(&li.base);
    send(UXEV_COPY);
    char got[32];
    uxplatform->clipboard_get(got, sizeof got);
    EXPECT_STREQ(got, "abc");
    send(UXEV_CUT);
    EXPECT_STREQ(uxlineinput_text(&li), "");
    uxplatform->clipboard_set("12\n34");
    send(UXEV_PASTE);
    EXPECT_STREQ(uxlineinput_text(&li), "12");  // one line only
    uxplatform->clipboard_set("345678");
    send(UXEV_PASTE);
    EXPECT_STREQ(uxlineinput_text(&li), "123456");  // maxlen holds
    uxlineinput_set_readonly(&li, true);
    type("x");
    send(UXEV_CUT);
    EXPECT_STREQ(uxlineinput_text(&li), "123456");
    uxlineinput_destroy(&li);
}

// A click selects nothing and typing goes in at the caret; the caret stays in view in a narrow
// field; a drag selects what it passes, a double click the number under the pointer.
TEST_F(LineInput, MouseCaretDragAndDoubleClick) {
    uxLineInput li, narrow;
    uxlineinput_create(&li, "x=10,y=10,xs=200,ys=24,default=123456789");
    uxlineinput_create(&narrow, "x=10,y=40,xs=40,ys=24");
    int cw = uxfont_char_width(li.base.fontid, '0');
    int left = li.base.abs_x + li.base.border + 2, y = li.base.abs_y + 5;
    send(UXEV_LDOWN, left + cw / 4, y);  // before the first character
    send(UXEV_LUP, left + cw / 4, y);
    int from = 0, to = 0;
    EXPECT_FALSE(uxlineinput_selection(&li, &from, &to));
    type("ab");
    EXPECT_STREQ(uxlineinput_text(&li), "ab123456789");
    uxlineinput_set_text(&li, "12 3456");
    send(UXEV_LDOWN, left + cw / 4, y);
    send(UXEV_MOVE, left + 2 * cw + cw / 4, y);
    send(UXEV_LUP, left + 2 * cw + cw / 4, y);
    ASSERT_TRUE(uxlineinput_selection(&li, &from, &to));
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 2);
    send(UXEV_LDBL, left + 4 * cw, y);  // inside "3456"
    send(UXEV_LUP, left + 4 * cw, y);
    type("9");
    EXPECT_STREQ(uxlineinput_text(&li), "12 9");

    click(&narrow.base);
    type("1234567890");  // far past the right edge: the view follows the caret
    int room = narrow.base.layout.width - 2 * narrow.base.border - 4, caret = 0;
    for (int i = narrow.scroll; i < narrow.cursor; ++i)
        caret += uxfont_char_width(narrow.base.fontid, static_cast<unsigned char>(narrow.text[i]));
    EXPECT_GT(narrow.scroll, 0);
    EXPECT_LE(caret, room);
    uxlineinput_destroy(&narrow);
    uxlineinput_destroy(&li);
}

using UpDown = WidgetWindow;

// What the field shows is what it holds: leaving it shows a value outside the range clamped.
TEST_F(UpDown, LeavingTheFieldShowsTheValueClamped) {
    uxUpDownControl u, other;
    uxupdown_create(&u, "x=10,y=10,xs=80,ys=24,min=1800,max=3000,start=1944");
    uxupdown_create(&other, "x=10,y=40,xs=80,ys=24,min=0,max=9,digits=2");
    click(&u.input.base);
    type("3000");
    EXPECT_GT(std::strlen(uxlineinput_text(&u.input)), 4u);  // inserted, not replaced
    click(&other.input.base);
    EXPECT_STREQ(uxlineinput_text(&u.input), "3000");
    uxlineinput_set_text(&other.input, "7");
    uxwidget_focus(&u.input.base);
    EXPECT_STREQ(uxlineinput_text(&other.input), "07");  // in its own form
    uxupdown_destroy(&other);
    uxupdown_destroy(&u);
}

TEST_F(UpDown, StartDigitsStepsAndClamping) {
    uxUpDownControl u;
    uxupdown_create(&u, "x=35%%,y=40%%,xs=10%%,min=0,max=23,start=12,digits=2");
    EXPECT_STREQ(uxlineinput_text(&u.input), "12");
    EXPECT_EQ(uxupdown_get_value(&u), 12);
    uxupdown_set_value(&u, 5);
    EXPECT_STREQ(uxlineinput_text(&u.input), "05");
    uxupdown_set_value(&u, 99);
    EXPECT_EQ(uxupdown_get_value(&u), 23);
    click(&u.up.base);
    EXPECT_EQ(uxupdown_get_value(&u), 23);  // stays at max
    click(&u.down.base);
    EXPECT_STREQ(uxlineinput_text(&u.input), "22");
    uxlineinput_set_text(&u.input, "77");  // typed values are clamped when read
    EXPECT_EQ(uxupdown_get_value(&u), 23);
    uxlineinput_set_text(&u.input, "-4");
    EXPECT_EQ(uxupdown_get_value(&u), 0);
    uxupdown_destroy(&u);
}

TEST_F(UpDown, PartsRolesAndDisabling) {
    uxUpDownControl u;
    uxupdown_create(&u, "x=10,y=10,xs=80,ys=24,min=1,max=9,step=2");
    EXPECT_EQ(uxupdown_get_value(&u), 1);  // no start: 0, brought into the range
    uxUpDownControl around;
    uxupdown_create(&around, "x=10,y=40,xs=80,ys=24,min=-360,max=360");
    EXPECT_EQ(uxupdown_get_value(&around), 0);
    uxupdown_destroy(&around);
    EXPECT_EQ(u.base.role, UXROLE_TEXTFIELD);
    EXPECT_EQ(u.base.focus_proxy, &u.input.base);
    EXPECT_TRUE(u.input.base.part && u.up.base.part && u.down.base.part);
    EXPECT_TRUE(u.input.props.align_right);
    // the parts lie inside the control, the arrows right of the field
    EXPECT_GE(u.input.base.abs_x, u.base.abs_x);
    EXPECT_LE(u.up.base.abs_x + u.up.base.layout.width, u.base.abs_x + u.base.layout.width);
    EXPECT_GE(u.up.base.abs_x, u.input.base.abs_x + u.input.base.layout.width);
    click(&u.up.base);
    EXPECT_EQ(uxupdown_get_value(&u), 3);
    uxwidget_focus(&u.input.base);
    key(UXKEY_UP);
    EXPECT_EQ(uxupdown_get_value(&u), 5);
    uxupdown_enable(&u, false);
    click(&u.up.base);
    uxwidget_focus(&u.input.base);
    type("8");
    EXPECT_EQ(uxupdown_get_value(&u), 5);
    uxupdown_enable(&u, true);
    click(&u.up.base);
    EXPECT_EQ(uxupdown_get_value(&u), 7);
    uxupdown_destroy(&u);
}

}  // namespace
