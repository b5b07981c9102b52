// Numeric arrays: zero filling, element order, and index checks that report but never touch
// memory outside the block.

#include <gtest/gtest.h>

#include <string>

#include "toolkit/data/uxarray.h"

namespace {

TEST(Array, NewArraysReadZeroAndHaveTheirByteSize)
{
    uxArray2Double a;
    ASSERT_TRUE(uxarray2d_create(&a, 3, 4));
    EXPECT_EQ(a.size, 3u * 4u * 8u);
    for (int j = 0; j < 4; j++)
        for (int i = 0; i < 3; i++) EXPECT_EQ(uxarray2d_get(&a, i, j), 0.0);
    uxarray2d_destroy(&a);

    uxArray3Double c;
    ASSERT_TRUE(uxarray3d_create(&c, 10, 10, 39));
    EXPECT_EQ(c.size, 31200u);
    uxarray3d_destroy(&c);

    uxArray2Int n;
    ASSERT_TRUE(uxarray2i_create(&n, 5, 2));
    EXPECT_EQ(n.size, 40u);
    EXPECT_EQ(uxarray2i_get(&n, 4, 1), 0);
    uxarray2i_destroy(&n);
}

TEST(Array, FirstIndexVariesFastest)
{
    uxArray2Double a;
    ASSERT_TRUE(uxarray2d_create(&a, 3, 4));
    uxarray2d_set(&a, 2, 1, 7.5);
    EXPECT_EQ(a.data[5], 7.5);
    EXPECT_EQ(uxarray2d_get(&a, 2, 1), 7.5);
    uxarray2d_destroy(&a);

    uxArray2Int n;
    ASSERT_TRUE(uxarray2i_create(&n, 3, 4));
    uxarray2i_set(&n, 2, 1, -9);
    EXPECT_EQ(n.data[5], -9);
    uxarray2i_destroy(&n);

    uxArray3Double c;
    ASSERT_TRUE(uxarray3d_create(&c, 2, 3, 4));
    uxarray3d_set(&c, 1, 2, 3, 4.25);
    EXPECT_EQ(c.data[1 + 2 * 2 + 3 * 6], 4.25);
    EXPECT_EQ(uxarray3d_get(&c, 1, 2, 3), 4.25);
    uxarray3d_clear(&c);
    EXPECT_EQ(uxarray3d_get(&c, 1, 2, 3), 0.0);
    uxarray3d_destroy(&c);
}

TEST(Array, ClearSetsEverythingBackToZero)
{
    uxArray1Double a;
    ASSERT_TRUE(uxarray1d_create(&a, 4));
    for (int i = 0; i < 4; i++) uxarray1d_set(&a, i, i + 1.0);
    EXPECT_EQ(uxarray1d_get(&a, 3), 4.0);
    uxarray1d_clear(&a);
    for (int i = 0; i < 4; i++) EXPECT_EQ(uxarray1d_get(&a, i), 0.0);
    uxarray1d_destroy(&a);
}

TEST(Array, OutOfRangeIndexesReportAndAreRefused)
{
    uxArray1Double a;
    ASSERT_TRUE(uxarray1d_create(&a, 3));
    uxarray1d_set(&a, 2, 1.0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(uxarray1d_get(&a, 3), 0.0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "array overflow\n");
    testing::internal::CaptureStdout();
    uxarray1d_set(&a, 3, 5.0);
    uxarray1d_set(&a, -1, 5.0);
    EXPECT_EQ(uxarray1d_get(&a, -1), 0.0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "array overflow\narray overflow\narray overflow\n");
    EXPECT_EQ(uxarray1d_get(&a, 2), 1.0);
    uxarray1d_destroy(&a);

    uxArray2Int n;
    ASSERT_TRUE(uxarray2i_create(&n, 3, 4));
    testing::internal::CaptureStdout();
    uxarray2i_set(&n, 0, 4, 1);   // would be inside the block if only i + j * d0 were checked
    uxarray2i_set(&n, 3, 0, 1);
    EXPECT_EQ(uxarray2i_get(&n, 3, 3), 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "array overflow\narray overflow\narray overflow\n");
    for (int k = 0; k < 12; k++) EXPECT_EQ(n.data[k], 0);
    uxarray2i_destroy(&n);
}

TEST(Array, ImpossibleSizesGiveEmptyArrays)
{
    uxArray2Double a;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(uxarray2d_create(&a, -3, 4));
    EXPECT_FALSE(uxarray2d_create(&a, 2000000000, 2000000000));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "array out of memory\narray out of memory\n");
    EXPECT_EQ(a.data, nullptr);
    EXPECT_EQ(a.size, 0u);
    testing::internal::CaptureStdout();
    uxarray2d_set(&a, 0, 0, 1.0);
    EXPECT_EQ(uxarray2d_get(&a, 0, 0), 0.0);
    uxarray2d_clear(&a);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "array overflow\narray overflow\n");

    uxArray1Double empty;
    EXPECT_TRUE(uxarray1d_create(&empty, 0));
    testing::internal::CaptureStdout();
    EXPECT_EQ(uxarray1d_get(&empty, 0), 0.0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "array overflow\n");
    uxarray1d_destroy(&empty);
    uxarray1d_destroy(&empty);
}

TEST(Array, CreatingAgainReplacesTheBlock)
{
    uxArray1Double a;
    ASSERT_TRUE(uxarray1d_create(&a, 2));
    uxarray1d_set(&a, 1, 3.0);
    ASSERT_TRUE(uxarray1d_create(&a, 5));
    EXPECT_EQ(a.d0, 5);
    EXPECT_EQ(uxarray1d_get(&a, 1), 0.0);
    uxarray1d_destroy(&a);
}

}  // namespace
