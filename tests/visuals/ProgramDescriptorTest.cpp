#include <gtest/gtest.h>

#include <string>

#include "platform/ProgramDescriptor.h"

namespace {

using plat::ProgramParameterType;

TEST(ProgramDescriptorTest, ReadsStatementsCommentsAndLineEnds)
{
    const std::string text = "# the mosaic\r\n"
                             "program banner-cut\r\n"
                             "\r\n"
                             "  technique\tTechniqueMain  \r\n"
                             "param g_Texture texture\n"
                             "param g_f2TextureCutSize float2\n"
                             "param g_fLevel float\n"
                             "param g_f4Tint float4"; // no final line end
    plat::ProgramDescriptor descriptor;
    std::string error;
    ASSERT_TRUE(plat::ParseProgramDescriptor(text.data(), text.size(), &descriptor, &error)) << error;
    EXPECT_EQ(descriptor.program, "banner-cut");
    EXPECT_EQ(descriptor.techniques, std::vector<std::string>{"TechniqueMain"});
    ASSERT_EQ(descriptor.parameters.size(), 4u);
    EXPECT_EQ(descriptor.FindParameter("g_Texture")->type, ProgramParameterType::Texture);
    EXPECT_EQ(descriptor.FindParameter("g_f2TextureCutSize")->type, ProgramParameterType::Float2);
    EXPECT_EQ(descriptor.FindParameter("g_fLevel")->type, ProgramParameterType::Float);
    EXPECT_EQ(descriptor.FindParameter("g_f4Tint")->type, ProgramParameterType::Float4);
    EXPECT_EQ(descriptor.FindParameter("g_Missing"), nullptr);
}

struct RefusedCase {
    const char* what;
    std::string text;
    const char* reasonPart;
};

TEST(ProgramDescriptorTest, RefusesMalformedText)
{
    const RefusedCase cases[] = {
        {"empty", "", "no program"},
        {"comments only", "# nothing\n", "no program"},
        {"two programs", "program a\nprogram b\n", "second program"},
        {"program without name", "program\n", "one name"},
        {"program with two names", "program a b\n", "one name"},
        {"unknown statement", "program a\nshader x\n", "unknown statement"},
        {"unknown type", "program a\nparam g_x double\n", "unknown parameter type"},
        {"parameter without type", "program a\nparam g_x\n", "name and a type"},
        {"parameter twice", "program a\nparam g_x float\nparam g_x float2\n", "named twice"},
        {"technique twice", "program a\ntechnique T\ntechnique T\n", "named twice"},
        {"zero byte", std::string("program a\0b\n", 12), "zero byte"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.what);
        plat::ProgramDescriptor descriptor;
        descriptor.program = "untouched";
        std::string error;
        EXPECT_FALSE(plat::ParseProgramDescriptor(c.text.data(), c.text.size(), &descriptor, &error));
        EXPECT_NE(error.find(c.reasonPart), std::string::npos) << error;
        EXPECT_EQ(descriptor.program, "untouched");
    }
    plat::ProgramDescriptor descriptor;
    EXPECT_FALSE(plat::ParseProgramDescriptor(nullptr, 4, &descriptor));
}

TEST(ProgramDescriptorTest, BuiltInDescriptorsSurviveWritingAndReading)
{
    for (const char* program : {plat::kScreenCircleProgram, plat::kBannerCrossFadeProgram, plat::kBannerBlurProgram,
                                plat::kBannerCutProgram, plat::kGameOverProgram}) {
        SCOPED_TRACE(program);
        const plat::ProgramDescriptor* builtIn = plat::BuiltInProgramDescriptor(program);
        ASSERT_NE(builtIn, nullptr);
        const std::string text = plat::FormatProgramDescriptor(*builtIn);
        plat::ProgramDescriptor read;
        ASSERT_TRUE(plat::ParseProgramDescriptor(text.data(), text.size(), &read));
        EXPECT_EQ(read.program, builtIn->program);
        EXPECT_EQ(read.techniques, builtIn->techniques);
        ASSERT_EQ(read.parameters.size(), builtIn->parameters.size());
        for (std::size_t i = 0; i < read.parameters.size(); ++i) {
            EXPECT_EQ(read.parameters[i].name, builtIn->parameters[i].name);
            EXPECT_EQ(read.parameters[i].type, builtIn->parameters[i].type);
        }
    }
    EXPECT_EQ(plat::BuiltInProgramDescriptor("no-such-program"), nullptr);
}

} // namespace
