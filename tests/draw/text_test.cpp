// draw_text on the real GL and freeglut of a test window: one bitmap per
// character from the raster position, the bytes as signed codes, and the
// current attributes restored.
#include "vibsim/draw.hpp"

#include "gl_feedback.hpp"
#include "gl_window.hpp"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vibsim {
namespace {

using test::FeedbackToken;
using test::TokenKind;

void* const font = GLUT_BITMAP_HELVETICA_18;

std::vector<FeedbackToken> text_tokens(float x, float y, const char* text)
{
    return test::capture_feedback([=] { draw_text(x, y, font, text); });
}

class Text : public ::testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_GL_WINDOW();
        test::reset_gl_state();
    }
    // Finish what was drawn in render mode now: work still queued at exit would
    // make Mesa compile shaders after its compiler was torn down.
    void TearDown() override { glFinish(); }
};

TEST_F(Text, DrawsOneBitmapPerCharacterFromTheUnscaledRasterPosition)
{
    const auto tokens = text_tokens(-0.5f, 0.25f, "y(t)");
    ASSERT_EQ(tokens.size(), 4u);
    for (const FeedbackToken& t : tokens) EXPECT_EQ(t.kind, TokenKind::bitmap);
    EXPECT_EQ(tokens[0].vertices[0].x, 200.0);
    EXPECT_EQ(tokens[0].vertices[0].y, 500.0);
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        EXPECT_GT(tokens[i].vertices[0].x, tokens[i - 1].vertices[0].x);
        EXPECT_EQ(tokens[i].vertices[0].y, 500.0);
    }

    // The position goes through the caller's matrices.
    glTranslated(0.25, -0.5, 0.0);
    const auto moved = text_tokens(-0.5f, 0.25f, "y");
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].vertices[0].x, 300.0);
    EXPECT_EQ(moved[0].vertices[0].y, 300.0);
}

TEST_F(Text, AnEmptyStringDrawsNothingButStillSetsTheRasterPosition)
{
    EXPECT_TRUE(text_tokens(0.1f, 0.1f, "").empty());
    // Selection mode counts a valid raster position as a hit: there is one
    // inside the window, and none when the position lies outside it.
    EXPECT_EQ(test::selection_hits([] { draw_text(0.1f, 0.1f, font, ""); }), 1);
    EXPECT_EQ(test::selection_hits([] { draw_text(5.0f, 0.1f, font, ""); }), 0);
}

TEST_F(Text, BytesFrom0x80ReachTheFontAsNegativeCodes)
{
    // freeglut's Helvetica has a glyph for code 0xC9 ...
    const auto direct = test::capture_feedback([] {
        glRasterPos2f(0.0f, 0.0f);
        glutBitmapCharacter(font, 0xC9);
    });
    EXPECT_EQ(direct.size(), 1u);
    // ... but ignores codes below 1, so the byte 0xC9, arriving as -55, draws
    // nothing and does not move the next character.
    const auto mixed = text_tokens(-0.5f, 0.0f, "A\xC9" "B");
    const auto plain = text_tokens(-0.5f, 0.0f, "AB");
    ASSERT_EQ(mixed.size(), 2u);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(mixed[1].vertices[0].x, plain[1].vertices[0].x);

    EXPECT_TRUE(text_tokens(-0.5f, 0.0f, "\x80\xFF").empty());
}

TEST_F(Text, TakesTheCurrentColourAndRestoresTheCurrentAttributes)
{
    glColor4f(0.2f, 0.4f, 0.6f, 0.8f);
    glLineWidth(3.0f);
    glRasterPos2f(0.5f, 0.5f);
    const test::GlState before = test::read_gl_state();
    std::array<float, 4> raster_before{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster_before.data());

    const auto tokens = text_tokens(-0.5f, -0.5f, "ab");
    ASSERT_EQ(tokens.size(), 2u);
    for (const FeedbackToken& t : tokens) {
        EXPECT_EQ(t.vertices[0].red, 0.2f);
        EXPECT_EQ(t.vertices[0].green, 0.4f);
        EXPECT_EQ(t.vertices[0].blue, 0.6f);
        EXPECT_EQ(t.vertices[0].alpha, 0.8f);
    }

    const test::GlState after = test::read_gl_state();
    std::array<float, 4> raster_after{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster_after.data());
    EXPECT_EQ(after.colour, before.colour);
    EXPECT_EQ(after.line_width, 3.0f);
    EXPECT_FALSE(after.lighting);
    EXPECT_EQ(raster_after, raster_before);

    glEnable(GL_LIGHTING);
    draw_text(-0.5f, -0.5f, font, "ab");
    EXPECT_TRUE(test::read_gl_state().lighting);
}

}  // namespace
}  // namespace vibsim
