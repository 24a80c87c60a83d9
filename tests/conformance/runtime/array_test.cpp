// Arrays index from 1; the fatal paths are tested in runtime_error_test.
#include <gtest/gtest.h>

#include "runtime/bytes.h"
#include "runtime/text.h"

namespace {

TEST(ArrayTest, ElementsAreReachedFromOneAndAssignableInPlace) {
    TextArray texts = splitText("a,b,c");
    ASSERT_EQ(arraySize(texts), 3);
    EXPECT_EQ(arrayElement(texts, 1).bytes(), "a");
    EXPECT_EQ(arrayElement(texts, 3).bytes(), "c");
    arrayElement(texts, 2) = "x";
    EXPECT_EQ(arrayElement(texts, 2).bytes(), "x");
}

TEST(ArrayTest, ResizeDiscardsEveryElement) {
    TextArray texts = splitText("a,b");
    resizeArray(texts, 3);
    ASSERT_EQ(arraySize(texts), 3);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(arrayElement(texts, i), Text());

    IntegerArray numbers;
    numbers.append(7);
    resizeArray(numbers, 2);
    EXPECT_EQ(arrayElement(numbers, 1), 0);

    BytesArray blocks;
    resizeArray(blocks, 1);
    EXPECT_EQ(bytesLength(arrayElement(blocks, 1)), 0);
    resizeArray(blocks, 0);
    EXPECT_EQ(arraySize(blocks), 0);
}

}  // namespace
