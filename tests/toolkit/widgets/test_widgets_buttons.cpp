// Buttons, labels, bars and the progress bar.
#include <cstring>

#include "tests/toolkit/widgets/test_widgets_fixture.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/drawing/uxfont.h"
#include "toolkit/widgets/uxlistbox.h"

namespace {

using Buttons = WidgetWindow;

TEST_F(Buttons, NaturalSizesFollowTheFont) {
    uxButton b;
    uxbutton_create(&b, "&OK");
    int f = uxfont_default_id();
    int fh = uxfont_height(f);
    ASSERT_GT(fh, 0);
    EXPECT_EQ(b.base.layout.width, uxfont_text_width(f, "OK") + 10);  // "&" takes no room
    EXPECT_EQ(b.base.layout.height, fh + 8);
    uxLabel l;
    uxlabel_create(&l, "day:,x=10,y=10");
    EXPECT_EQ(l.base.layout.width, uxfont_text_width(f, "day:") + 4);
    int tall = 9 * fh / 5 > fh + 8 ? 9 * fh / 5 : fh + 8;
    EXPECT_EQ(l.base.layout.height, tall);
    EXPECT_STREQ(l.base.text(&l.base), "day:");
    EXPECT_EQ(l.base.role, UXROLE_LABEL);
    uxlabel_set_text(&l, "night:");
    EXPECT_STREQ(l.base.text(&l.base), "night:");
    uxlabel_destroy(&l);
    uxbutton_destroy(&b);
}

// A label whose text is itself a keyword applies it (labels read keywords from token 0), while
// a button's caption never acts as a keyword.
TEST_F(Buttons, LabelTextTakesPartInTheKeywords) {
    uxLabel l;
    uxlabel_create(&l, "x=10,xs=50%%,y=70");
    EXPECT_DOUBLE_EQ(l.base.layout.x, 10);
    EXPECT_DOUBLE_EQ(l.base.layout.y, 70);
    EXPECT_STREQ(l.base.text(&l.base), "x=10");
    uxlabel_destroy(&l);
    uxButton b;
    uxbutton_create(&b, "x=30,y=70");
    EXPECT_NE(b.base.layout.x, 30.0);
    uxbutton_destroy(&b);
}

TEST_F(Buttons, AcceleratorMarksAreShownUnderlined) {
    EXPECT_EQ(uxcaption_underlined("&OK"), 0);
    EXPECT_EQ(uxcaption_accelerator("&OK"), 'o');
    EXPECT_EQ(uxcaption_underlined("Sa&ve"), 2);
    EXPECT_EQ(uxcaption_underlined("Fish && Chips"), -1);
    EXPECT_EQ(uxcaption_underlined("trailing&"), -1);
    char plain[8];
    uxcaption_strip("Fish && &Chips", plain, sizeof plain);
    EXPECT_STREQ(plain, "Fish & ");  // cut to the buffer, terminated
}

TEST_F(Buttons, UnderlineIsDrawnBelowTheAcceleratorOnly) {
    uxButton b;
    uxbutton_create(&b, "&OK,x=10,y=10");
    uxwindow_compose(&win);
    int f = uxfont_default_id();
    int fh = uxfont_height(f), ow = uxfont_char_width(f, 'O');
    int tx = b.base.abs_x + (b.base.layout.width - uxcaption_width(f, "&OK")) / 2;
    int ty = b.base.abs_y + (b.base.layout.height - fh) / 2;
    int text = uxcolor_role(UXCOLOR_TEXT);
    int under_o = 0, under_k = 0;
    for (int x = 0; x < ow; ++x) {
        under_o += uxpxmap_getrgb(&win.client, tx + x, ty + fh - 1) == text;
        under_k += uxpxmap_getrgb(&win.client, tx + ow + x, ty + fh - 1) == text;
    }
    EXPECT_GT(under_o, ow / 2);
    EXPECT_LT(under_k, ow / 2);
    uxbutton_destroy(&b);
}

TEST_F(Buttons, ClickPostsIdAndDisabledButtonIgnoresClicks) {
    uxButton b;
    uxbutton_create(&b, "go,x=10,y=10,xs=60,ys=20");
    EXPECT_EQ(b.base.role, UXROLE_BUTTON);
    click(&b.base);
    EXPECT_EQ(posted(uxbutton_id(&b)), 1);
    uxbutton_disable(&b);
    click(&b.base);
    key(UXKEY_RETURN);
    EXPECT_EQ(posted(uxbutton_id(&b)), 0);
    uxbutton_enable(&b);
    // press inside, release outside: no click
    send(UXEV_LDOWN, 20, 20);
    send(UXEV_MOVE, 200, 200);
    send(UXEV_LUP, 200, 200);
    EXPECT_EQ(posted(uxbutton_id(&b)), 0);
    uxbutton_destroy(&b);
}

int callback_calls = 0;
void count_call(int, void*) { ++callback_calls; }

TEST_F(Buttons, KeysHotkeysAndCallbacks) {
    uxButton a, b, c;
    uxbutton_create(&a, "first,x=10,y=10");
    int dummy = 0;
    uxbutton_create_cb(&b, count_call, &dummy, "second,x=10,y=40,hotkey=F2");
    uxbutton_create(&c, "&Cancel,x=10,y=70");
    callback_calls = 0;
    uxwidget_focus(&a.base);
    key(UXKEY_SPACE);
    key(UXKEY_RETURN);
    EXPECT_EQ(posted(uxbutton_id(&a)), 2);  // Enter and Space trigger the focused button
    uxwidget_focus(nullptr);
    win.focus = nullptr;
    key(UXKEY_F1 + 1);
    EXPECT_EQ(callback_calls, 1);  // the callback instead of a posted id
    EXPECT_EQ(posted(uxbutton_id(&b)), 0);
    key('c');
    EXPECT_EQ(posted(uxbutton_id(&c)), 0);  // the accelerator needs Alt
    send(UXEV_KEYDOWN, UXKEY_ALT);
    key('c');
    send(UXEV_KEYUP, UXKEY_ALT);
    EXPECT_EQ(posted(uxbutton_id(&c)), 1);
    uxbutton_destroy(&c);
    uxbutton_destroy(&b);
    uxbutton_destroy(&a);
}

TEST_F(Buttons, ReturnTriggersTheDefaultButton) {
    uxButton ok, cancel;
    uxbutton_create(&ok, "OK,x=50%%,y=93%%,xs=20%%,default");
    uxbutton_create(&cancel, "Cancel,x=10,y=10,skip");
    EXPECT_TRUE(ok.base.is_default);
    EXPECT_FALSE(uxwidget_focusable(&cancel.base));
    key(UXKEY_RETURN);
    EXPECT_EQ(posted(uxbutton_id(&ok)), 1);
    EXPECT_EQ(uxbutton_find_default(&win), &ok.base);
    uxbutton_disable(&ok);
    EXPECT_EQ(uxbutton_find_default(&win), nullptr);
    uxbutton_destroy(&cancel);
    uxbutton_destroy(&ok);
}

TEST_F(Buttons, ProgressIsClampedAndRepaintsOnlyOnChange) {
    uxProgressBar p;
    uxprogressbar_create(&p, "x=25%%,y=95%%,xs=45%%,ys=3%%");
    uxprogressbar_set(&p, 150);
    EXPECT_EQ(p.percent, 100);
    uxprogressbar_set(&p, -5);
    EXPECT_EQ(p.percent, 0);
    win.dirty = false;
    uxprogressbar_set(&p, 0);
    EXPECT_FALSE(win.dirty);
    uxprogressbar_set(&p, 40);
    EXPECT_TRUE(win.dirty);
    uxwidget_show(&p.base, false);
    win.dirty = false;
    uxprogressbar_set(&p, 60);
    EXPECT_FALSE(win.dirty);  // hidden: value kept, no repaint
    EXPECT_EQ(p.percent, 60);
    uxprogressbar_destroy(&p);
}

TEST(ColourRoles, FallbacksWithoutPlatformColours) {
    setenv("UX_PLATFORM", "headless", 1);
    ASSERT_TRUE(uxentry_init());
    uxcolor_reset();
    EXPECT_EQ(uxcolor_role(UXCOLOR_FACE), 0xD0D0D0);
    EXPECT_EQ(uxcolor_role(UXCOLOR_LIGHT), 0xE0E0E0);
    EXPECT_EQ(uxcolor_role(UXCOLOR_DARK), 0xC0C0C0);
    EXPECT_EQ(uxcolor_role(UXCOLOR_GREYTEXT), 0x787878);
    EXPECT_EQ(uxcolor_role(UXCOLOR_HIGHLIGHT), 0x000080);
    EXPECT_EQ(uxcolor_role(99), 0xD0D0D0);
}

}  // namespace
