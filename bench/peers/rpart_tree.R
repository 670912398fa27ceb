# The rpart side of the peer benchmark: the table read with data.table's
# fread (text columns as factors), a tree grown on TARGET with cp 0.001 and
# at least MIN_LEAF rows in a leaf; no cross-validation, as orlix-cli does none.
# Usage: Rscript rpart_tree.R FILE.csv TARGET MIN_LEAF
args <- commandArgs(trailingOnly = TRUE)
suppressMessages({
  library(data.table)
  library(rpart)
})
frame <- fread(args[1], stringsAsFactors = TRUE)
min_leaf <- as.integer(args[3])
method <- if (is.factor(frame[[args[2]]])) "class" else "anova"
model <- rpart(as.formula(paste(args[2], "~ .")), data = frame, method = method,
               control = rpart.control(cp = 0.001, minbucket = min_leaf, xval = 0))
cat(sum(model$frame$var != "<leaf>"), "splits\n")
