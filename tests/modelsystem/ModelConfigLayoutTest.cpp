// The ModelConfig element each model class writes, byte for byte, on small
// hand-made models, and the number texts the elements use.

#include "models/CBLogitMM.h"
#include "models/CHazardMM.h"
#include "models/CLocationMM.h"
#include "models/CLocationWalkMM.h"
#include "models/CMNLogitMM.h"
#include "models/CMdcevMM.h"
#include "models/COrdProbitMM.h"
#include "models/CRegressMM.h"
#include "models/CStartAndEndTimeMM.h"
#include "models/ModelConfigXml.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

std::string XmlOf(const CModelModule& model) {
    std::ostringstream out;
    model.WriteXml(out);
    return out.str();
}

TEST(ModelConfigLayoutTest, Regression) {
    CRegressMM model(nullptr, "BW Home Stay");
    model.m_dVariance = 2.5;
    model.m_terms.Add(30000, 1.5);
    model.m_terms.Add(10008, -0.25);
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"BW Home Stay\" optional-type=\"class CRegressMM * __ptr64\">\n\n"
              "<Variance>2.500000</Variance>\n\n"
              "<Variables>\n"
              "<Variable ID=\"30000\" value=\"1.500000\" optional-description=\"temp\" />\n"
              "<Variable ID=\"10008\" value=\"-0.250000\" optional-description=\"temp\" />\n"
              "</Variables>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, BinaryLogitWithoutTerms) {
    CBLogitMM model(nullptr, "Decision to go to Work");
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"Decision to go to Work\" optional-type=\"class CBLogitMM * __ptr64\">\n\n"
              "<Variables>\n"
              "</Variables>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, BinaryLogitTermsUseUnavailable) {
    CBLogitMM model(nullptr, "FRACTION_SPLIT");
    model.m_terms.Add(37001, -1.25);
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"FRACTION_SPLIT\" optional-type=\"class CBLogitMM * __ptr64\">\n\n"
              "<Variables>\n"
              "<Variable ID=\"37001\" value=\"-1.250000\" optional-description=\"unavailable\" />\n"
              "</Variables>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, OrderedProbit) {
    COrdProbitMM model(nullptr, "WH Number of Stops", 3);
    model.m_terms.Add(30000, 0.125);
    model.m_thresholds = {0.5, 1.75};
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"WH Number of Stops\" optional-type=\"class COrdProbitMM * __ptr64\">\n\n"
              "<Variables>\n"
              "<Variable ID=\"30000\" value=\"0.125000\" optional-description=\"unavailable\" />\n"
              "</Variables>\n\n"
              "<Thresholds>\n"
              "<Threshold value=\"0.500000\" />\n"
              "<Threshold value=\"1.750000\" />\n"
              "</Thresholds>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, MdcevCarriesSatiationValuesAsThresholds) {
    CMdcevMM model(nullptr, "MDCEV2", 10);
    model.m_terms.Add(36001, 1.0);
    model.m_satiationValues = {3.0, -2.5};
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"MDCEV2\" optional-type=\"class CMdcevMM * __ptr64\">\n\n"
              "<Variables>\n"
              "<Variable ID=\"36001\" value=\"1.000000\" optional-description=\"unavailable\" />\n"
              "</Variables>\n\n"
              "<Thresholds>\n"
              "<Threshold value=\"3.000000\" />\n"
              "<Threshold value=\"-2.500000\" />\n"
              "</Thresholds>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, Hazard) {
    CHazardMM model(nullptr, "Work Duration");
    model.m_fVariance = 0.5f;
    model.m_terms.Add(30000, -4.0);
    model.m_nIntervalCount = 3;
    model.m_intervalStarts = {240.0, 480.0};
    model.m_intervalParameters = {0.25, 2.0};
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"Work Duration\" optional-type=\"class CHazardMM * __ptr64\">\n\n"
              "<Variance>0.500000</Variance>\n\n"
              "<Variables>\n"
              "<Variable ID=\"30000\" value=\"-4.000000\" optional-description=\"unavailable\" />\n"
              "</Variables>\n\n"
              "<Intervals>\n"
              "<Interval start=\"240.000000\" param=\"0.250000\" />\n"
              "<Interval start=\"480.000000\" param=\"2.000000\" />\n"
              "</Intervals>\n\n"
              "</ModelConfig>\n");
}

// Such a model would be refused when read back; without an element a reload
// leaves it as it is.
TEST(ModelConfigLayoutTest, HazardThatCannotDrawWritesNoElement) {
    CHazardMM model(nullptr, "Work Duration");
    EXPECT_EQ(XmlOf(model), "");
    model.m_fVariance = 1.0f;
    model.m_nIntervalCount = 1;
    EXPECT_EQ(XmlOf(model), "");
    model.m_nIntervalCount = 2;
    model.m_intervalStarts = {240.0};
    model.m_intervalParameters = {0.25};
    EXPECT_NE(XmlOf(model), "");
    model.m_fVariance = 0.0f;
    EXPECT_EQ(XmlOf(model), "");
}

TEST(ModelConfigLayoutTest, LocationVarianceHasOneLineBreak) {
    CLocationMM model(nullptr, "Vehicle Make");
    model.m_fVariance = 0.1f;
    model.m_terms.Add(20003, 0.75);
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"Vehicle Make\" optional-type=\"class CLocationMM * __ptr64\">\n\n"
              "<Variance>0.100000</Variance>\n"
              "<Variables>\n"
              "<Variable ID=\"20003\" value=\"0.750000\" optional-description=\"unavailable\" />\n"
              "</Variables>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, WorkStartAndEndTime) {
    CStartAndEndTimeMM model(nullptr, "Work-Start-End-Time");
    model.m_terms.Add(30901, 0.5);
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"Work-Start-End-Time\" optional-type=\"class CStartAndEndTimeMM * __ptr64\">\n\n"
              "<Variables>\n"
              "<Variable ID=\"30901\" value=\"0.500000\" optional-description=\"temp\" />\n"
              "</Variables>\n\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, MultinomialLogitWritesAlternativesInAscendingId) {
    const std::map<int, std::string> names{{3, "Transit"}, {1, "Passenger"}, {2, "Walk/Bike"}};
    CMNLogitMM model(nullptr, "BW Tour Mode", &names);
    model.m_nBaseAlternative = 1;
    model.m_utilityFunctions[3].Add(30000, -2.0);
    model.m_utilityFunctions[2].Add(30000, -1.0);
    model.m_utilityFunctions[2].Add(10008, 0.015625);
    EXPECT_EQ(XmlOf(model),
              "<ModelConfig id=\"BW Tour Mode\" optional-type=\"class CMNLogitMM * __ptr64\">\n\n"
              "<Alternatives baseID=\"1\">\n\n"
              "<Alternative ID=\"1\">\n"
              "<Variables>\n"
              "</Variables>\n"
              "</Alternative>\n\n"
              "<Alternative ID=\"2\">\n"
              "<Variables>\n"
              "<Variable ID=\"30000\" value=\"-1.000000\" optional-description=\"unavailable\" />\n"
              "<Variable ID=\"10008\" value=\"0.015625\" optional-description=\"unavailable\" />\n"
              "</Variables>\n"
              "</Alternative>\n\n"
              "<Alternative ID=\"3\">\n"
              "<Variables>\n"
              "<Variable ID=\"30000\" value=\"-2.000000\" optional-description=\"unavailable\" />\n"
              "</Variables>\n"
              "</Alternative>\n\n"
              "</Alternatives>\n"
              "</ModelConfig>\n");
}

TEST(ModelConfigLayoutTest, WalkLocationModelWritesNothing) {
    CLocationWalkMM model(nullptr, "Worker Stop Loction (Walk mode)", 50.0f);
    EXPECT_EQ(XmlOf(model), "");
}

TEST(ModelConfigLayoutTest, TermLinesFollowTheListsNotTheCount) {
    CBLogitMM model(nullptr, "Decision to go to Work");
    model.m_terms.Add(30000, 1.0);
    model.m_terms.m_variableIds.push_back(30001);  // no coefficient for it
    EXPECT_EQ(XmlOf(model).find("30001"), std::string::npos);
    model.m_terms.m_nCount = 0;  // a count of 0 writes no term at all
    EXPECT_EQ(XmlOf(model).find("<Variable "), std::string::npos);
}

TEST(ModelConfigLayoutTest, ModelNameIsEscapedWhenItNeedsIt) {
    CBLogitMM model(nullptr, "A & \"B\" <C>");
    EXPECT_EQ(XmlOf(model).substr(0, 40), "<ModelConfig id=\"A &amp; &quot;B&quot; &");
}

// Six decimals when they read back exactly; otherwise as many as it takes, in
// fixed notation, so that small coefficients are not lost.
TEST(ModelConfigLayoutTest, RealTexts) {
    using ModelConfigXml::Real;
    EXPECT_EQ(Real(0.0), "0.000000");
    EXPECT_EQ(Real(-3.0), "-3.000000");
    EXPECT_EQ(Real(0.123456), "0.123456");
    EXPECT_EQ(Real(0.1234567), "0.1234567");
    EXPECT_EQ(Real(-0.0000001), "-0.0000001");
    EXPECT_EQ(Real(1e-9), "0.000000001");
    EXPECT_EQ(Real(0.1), "0.100000");
    EXPECT_EQ(Real(1e20), "100000000000000000000.000000");
    for (const double value : {0.1 + 0.2, 1.0 / 3.0, -2.0 / 7.0, 4.9e-324, 1.7e308, 123456.789012345}) {
        const std::string text = Real(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        double back = 0.0;
        ASSERT_TRUE(NumberText::Parse(text, back)) << text;
        EXPECT_EQ(back, value) << text;
    }
}

TEST(ModelConfigLayoutTest, FloatTextsReadBackToTheSameFloat) {
    using ModelConfigXml::Float;
    EXPECT_EQ(Float(0.1f), "0.100000");
    EXPECT_EQ(Float(0.5f), "0.500000");
    for (const float value : {1.0e-7f, 3.14159274f, 16777217.0f, 1.0e-30f}) {
        double back = 0.0;
        ASSERT_TRUE(NumberText::Parse(Float(value), back));
        EXPECT_EQ(static_cast<float>(back), value) << Float(value);
    }
}

}  // namespace
