// Which way video is drawn: OpenGL only where a graphics device can be opened
// and OpenGL is not forced into software, and whatever a caller sets.
#include "platform/mci/drivers/mpv/video_renderer.h"
#include "tests/support/UnwritableFile.h"

#include "platform/diagnostics.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <utility>
#include <vector>

using namespace platform::mci;

namespace {

void makeNode(const QTemporaryDir& folder, const char* name, QFile::Permissions permissions) {
    QFile node(folder.filePath(name));
    ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    node.close();
    ASSERT_TRUE(node.setPermissions(permissions));
}

TEST(VideoRenderer, AGraphicsDeviceIsARenderNodeThisProcessMayOpen) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.path().toStdString();
    EXPECT_FALSE(HasGraphicsDevice(path)) << "an empty folder";
    EXPECT_FALSE(HasGraphicsDevice(path + "/missing"));

    // A display controller node alone does not render.
    makeNode(folder, "card0", QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(HasGraphicsDevice(path));

    // A node this process may not open for writing, whoever runs the test.
    makeNode(folder, "renderD128", QFile::ReadOwner | QFile::WriteOwner);
    const UnwritableFile unwritable(folder.filePath("renderD128").toStdString());
    ASSERT_TRUE(unwritable.IsUnwritable()) << unwritable.Problem();
    EXPECT_FALSE(HasGraphicsDevice(path)) << "read-only to this process";

    makeNode(folder, "renderD129", QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(HasGraphicsDevice(path));
}

TEST(VideoRenderer, TheMachinesChoiceUnlessOpenGLIsForcedIntoSoftwareOrARendererIsSet) {
    const VideoRenderer machine =
        HasGraphicsDevice() ? VideoRenderer::openGL : VideoRenderer::software;
    SetVideoRenderer(std::nullopt);
    EXPECT_EQ(ChosenVideoRenderer(), machine);

    for (const char* yes : {"1", "true", "YES", "y"}) {
        setenv("LIBGL_ALWAYS_SOFTWARE", yes, 1);
        SetVideoRenderer(std::nullopt);
        EXPECT_EQ(ChosenVideoRenderer(), VideoRenderer::software) << yes;
    }
    setenv("LIBGL_ALWAYS_SOFTWARE", "0", 1);
    SetVideoRenderer(std::nullopt);
    EXPECT_EQ(ChosenVideoRenderer(), machine);
    unsetenv("LIBGL_ALWAYS_SOFTWARE");

    SetVideoRenderer(VideoRenderer::openGL);
    EXPECT_EQ(ChosenVideoRenderer(), VideoRenderer::openGL);
    SetVideoRenderer(VideoRenderer::software);
    EXPECT_EQ(ChosenVideoRenderer(), VideoRenderer::software);
    SetVideoRenderer(std::nullopt);
    EXPECT_EQ(ChosenVideoRenderer(), machine);
}

TEST(VideoRenderer, QuelvoVideoOutputNamesTheRendererInAnyCaseAndAnythingElseIsReported) {
    std::vector<std::string> problems;
    const platform::ProblemSink previous =
        platform::SetProblemSink([&](const std::string& text) { problems.push_back(text); });
    // With OpenGL forced into software the machine's choice is software, so
    // a named OpenGL shows that the name is stronger: the user asked for it.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    const std::pair<const char*, VideoRenderer> named[] = {
        {"opengl", VideoRenderer::openGL},     {"OpenGL", VideoRenderer::openGL},
        {"software", VideoRenderer::software}, {"SOFTWARE", VideoRenderer::software},
        {"", VideoRenderer::software},         {"vulkan", VideoRenderer::software},
    };
    for (const auto& [value, renderer] : named) {
        setenv(VideoOutputVariable, value, 1);
        SetVideoRenderer(std::nullopt);
        EXPECT_EQ(ChosenVideoRenderer(), renderer) << value;
    }
    unsetenv("LIBGL_ALWAYS_SOFTWARE");
    setenv(VideoOutputVariable, "opengl", 1);
    SetVideoRenderer(VideoRenderer::software);
    EXPECT_EQ(ChosenVideoRenderer(), VideoRenderer::software) << "a set renderer goes first";
    unsetenv(VideoOutputVariable);
    SetVideoRenderer(std::nullopt);
    platform::SetProblemSink(previous);
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
    EXPECT_NE(problems[0].find("QUELVO_VIDEO_OUTPUT=vulkan"), std::string::npos) << problems[0];
}

} // namespace
